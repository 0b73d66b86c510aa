// The file formats: binary, CDS, Intel HEX and JEDEC readers and writers.
#include "buffer/formats/BinaryFormat.h"
#include "buffer/formats/FileNames.h"
#include "buffer/formats/IntelHex.h"
#include "buffer/formats/Jedec.h"
#include "forms/HexText.h"
#include "testutil.h"

namespace quarvin {
namespace {

using test::bufferBytes;
using test::startBuffer;
using formats::FuseGeometry;
using formats::intelHexText;
using formats::readIntelHex;
using formats::readJedec;

const FuseGeometry k16V8{32, 64};

TEST(BinaryLoad, LaneSelectionAndStartAddress) {
    struct Case { int mask, select; std::int64_t start; std::string stored; std::int32_t end; };
    const std::vector<Case> cases = {{0, 0, 0, "\x01\x02\x03\x04\x05\x06", 5}, {1, 1, 0x100, "\x02\x04\x06", 0x102},
                                     {3, 0, 0, "\x01\x05", 1}, {3, 3, 0, "\x04", 0},
                                     {7, 5, 0, "\x02\x06", 1}}; // mask and select are taken modulo 4
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << c.mask << " select " << c.select);
        auto b = startBuffer();
        EXPECT_EQ(formats::loadBinary(*b, "\x01\x02\x03\x04\x05\x06", c.start, c.mask, c.select).endAddress, c.end);
        const auto n = static_cast<std::uint32_t>(c.stored.size());
        EXPECT_EQ(bufferBytes(*b, static_cast<std::uint32_t>(c.start), n + 1), c.stored + "\xFF");
    }
}

TEST(BinaryLoad, EndAddressIsTheLastAddressWrittenInsideTheBuffer) {
    struct Case { const char* name; std::size_t fileSize; std::int64_t start, stored; std::int32_t end; };
    const std::vector<Case> cases = {
        {"empty file at 0x100", 0, 0x100, 0, 0xFF},
        {"runs past the end of the buffer", 16, 0x3FFFF8, 8, 0x3FFFFF},
        {"starts beyond the buffer", 16, 0x500000, 0, 0x3FFFFF},
        {"negative start drops the first bytes", 16, -4, 12, 11},
        {"negative start, nothing reaches the buffer", 2, -10, 0, -1},
        {"only the first 4 MiB of a larger file", 5000000, 0, 0x400000, 0x3FFFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = startBuffer();
        const std::string file = test::pattern(c.fileSize, 5);
        const auto r = formats::loadBinary(*b, file, c.start);
        EXPECT_EQ(r.bytesStored, c.stored);
        EXPECT_EQ(r.endAddress, c.end);
        const auto skipped = static_cast<std::size_t>(std::max<std::int64_t>(-c.start, 0));
        const auto first = static_cast<std::uint32_t>(std::max<std::int64_t>(c.start, 0) % kBufferSize);
        EXPECT_EQ(bufferBytes(*b, first, static_cast<std::uint32_t>(c.stored)),
                  file.substr(std::min(skipped, file.size()), static_cast<std::size_t>(c.stored)));
    }
}

TEST(CdsLoad, HeaderIsDroppedAndTheEndCoversTheMovedData) {
    const std::pair<std::size_t, std::int32_t> cases[] = {{10, 7}, {3, 0}, {2, -1}, {0, -1}, {0x400000 + 10, 0x3FFFFD}};
    for (auto [size, end] : cases) {
        auto b = startBuffer();
        const std::string file = test::pattern(size, 9) + "xx";
        const std::uint8_t after = (*b)[static_cast<std::uint32_t>(end + 1) % kBufferSize];
        EXPECT_EQ(formats::loadCds(*b, file.substr(0, size)).endAddress, end) << size;
        const auto n = static_cast<std::uint32_t>(end + 1);
        EXPECT_EQ(bufferBytes(*b, 0, n), file.substr(2, n));
        EXPECT_EQ((*b)[n % kBufferSize], after) << "the byte after the data stays as it was";
    }
}

TEST(JedecReader, FuseFields) {
    struct Case { const char* name; std::string text, first8; }; // first8: fuses 0..7 after the load
    const std::vector<Case> cases = {
        {"data part after a header", "GAL16V8\nQF2194*\n*L0000 0101*C0000*", "01010000"},
        {"fields in any order", "*L0004 11*L0000 1*C*", "10001100"},
        {"L not after a star is text", "N note L0002 1111*C*", "00000000"},
        {"blanks and line breaks between star and L", "*\n \r\nL0001 1*C*", "01000000"},
        {"fuse data ends at the star closing its L field", "*L0000 1*N 1 0 1*G1*C*", "10000000"},
        {"F1 sets what no L field lists", "*QF8*F1*L0002 00*C*", "11001111"},
        {"F1 before or after the L fields", "*L0002 00*F1*QF8*C*", "11001111"},
        {"C after star ends the data", "*L0000 1*C 1111", "10000000"},
        {"high bytes are passed over like blanks", "*L0000 1* \xE9 L0001 1*C*", "11000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = startBuffer();
        readJedec(*b, k16V8, c.text);
        // The whole map is cleared to "0" first; beyond it the buffer is untouched.
        EXPECT_EQ(bufferBytes(*b, 0, 2241), c.first8 + std::string(2240 - 8, '0') + "\xFF");
    }
}

TEST(JedecReader, NothingIsWrittenOutsideTheBuffer) {
    auto b = startBuffer();
    const auto r = readJedec(*b, k16V8, "*L4194302 1111*L9999999999 1*C*");
    EXPECT_EQ(bufferBytes(*b, 0x3FFFFE, 2), "11");
    EXPECT_EQ(r.fusesStored, 2);
    EXPECT_EQ(r.fusesOutside, 3);
    EXPECT_EQ(r.highestFuse, 0x3FFFFF);
    EXPECT_NE(r.problemText().find("3 fuses"), std::string::npos);

    // A map larger than the buffer is cleared up to its end; a negative one not at all.
    b = startBuffer();
    readJedec(*b, FuseGeometry{44, 200000}, "*L0000 1*C*");
    EXPECT_EQ((*b)[0x3FFFFF], '0');
    readJedec(*b, FuseGeometry{-3, 64}, "*L0001 1*C*");
    EXPECT_EQ(bufferBytes(*b, 0, 2), "11");
}

// The fuse checksum written from the JEDEC rule, independently of the program's:
// groups of eight, first fuse the least significant bit, last group padded.
std::string TestChecksum(const std::string& fuses) {
    unsigned sum = 0;
    for (std::size_t g = 0; g < fuses.size(); g += 8) {
        unsigned byte = 0;
        for (std::size_t k = 0; k < 8 && g + k < fuses.size(); ++k) byte |= (fuses[g + k] == '1' ? 1u : 0u) << k;
        sum += byte;
    }
    char text[8];
    std::snprintf(text, sizeof text, "%04X", sum & 0xFFFF);
    return text;
}

TEST(JedecReader, ChecksumFieldIsComparedWithTheLoad) {
    struct Case { const char* name; std::string text; bool warns; };
    const std::string ones = "*QF12*L0000 111111111111*";
    const std::vector<Case> cases = {
        {"match", ones + "C" + TestChecksum("111111111111") + "*", false},
        {"lower case digits", "*QF16*L0000 0000000011010101*C00ab*", false},
        {"mismatch loads and warns", ones + "C1234*", true},
        {"no C field", ones, false},
        {"C without digits", ones + "C*", false},
        {"without QF up to the highest fuse", "*L0000 11111111 1*C0100*", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = startBuffer();
        const auto r = readJedec(*b, k16V8, c.text);
        EXPECT_EQ(r.checksumMismatch(), c.warns);
        EXPECT_EQ(r.problemText().find("JEDEC checksum") != std::string::npos, c.warns) << r.problemText();
    }
    auto b = startBuffer();
    const auto r = readJedec(*b, k16V8, ones + "C1234*");
    EXPECT_EQ(r.problemText(), "JEDEC checksum 010E, file says 1234");
    EXPECT_EQ(bufferBytes(*b, 0, 12), "111111111111"); // the fuses are loaded all the same
}

TEST(JedecWriter, TheStandardFuseCountInLinesOfOneRowAndTheDeviceNamedByItsWidth) {
    // GAL maps write the count of their JEDEC files; other maps their whole rows.
    struct Case { FuseGeometry g; const char* device; int fuses; };
    for (const Case c : {Case{k16V8, "GAL16V8\n", 2194}, Case{FuseGeometry{40, 64}, "GAL20V8\n", 2706},
                         Case{FuseGeometry{44, 132}, "GAL22V10\n", 5892}, Case{FuseGeometry{36, 10}, "", 16 * 36},
                         Case{FuseGeometry{32, 20}, "GAL16V8\n", 26 * 32}}) {
        SCOPED_TRACE(c.fuses);
        auto b = startBuffer();
        (*b)[1] = '0';
        (*b)[static_cast<std::uint32_t>(c.g.fusesPerRow)] = 0x30; // first fuse of row 1
        std::string expect = std::string(c.device) + "Morvek*\nQF" + std::to_string(c.fuses) + "*\nF0*\nL0000 \n";
        std::string all(static_cast<std::size_t>(c.fuses), '1'); // 0xFF bytes show as "1"
        all[1] = all[static_cast<std::size_t>(c.g.fusesPerRow)] = '0';
        for (std::size_t first = 0; first < all.size(); first += static_cast<std::size_t>(c.g.fusesPerRow))
            expect += (first ? "\n" : "") + all.substr(first, static_cast<std::size_t>(c.g.fusesPerRow));
        EXPECT_EQ(formats::jedecText(*b, c.g), expect + "*\nC" + TestChecksum(all) + "*");
    }
}

TEST(FileNames, ExtensionsComeFromTheBaseName) {
    struct Case { const char *path, *key, *jedec; };
    for (const Case c : {Case{"data.hex", ".HEX", "data.JED"}, Case{"/a/b.c/logic", "", "/a/b.c/logic.JED"},
                         Case{"logic.jed", ".JED", "logic.jed"}, Case{"x.binary", ".BIN", "x.JED"},
                         Case{"dir.v2/fuse.Jed", ".JED", "dir.v2/fuse.Jed"}, Case{".hidden", ".HID", ".JED"}}) {
        EXPECT_EQ(formats::formatKeyOf(c.path), c.key) << c.path;
        EXPECT_EQ(formats::jedecSaveName(c.path), c.jedec) << c.path;
    }
}

// Each size is saved and loaded back in every format. The HEX and binary reads go
// into an all-zero buffer, so every byte must come from the file.
TEST(FormatRoundTrip, SaveThenLoadGivesTheSameBytes) {
    struct Case { std::uint32_t size; FuseGeometry jedec; }; // a fuse map of the same size
    const Case cases[] = {{0, {1, -6}},   {1, {1, -5}},          {16, {1, 10}},
                          {17, {17, -5}}, {0x10000, {1024, 58}}, {0x400000, {0x400, 0x1000 - 6}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        test::ScratchDir dir;
        auto src = startBuffer(), hex = std::make_unique<MainBuffer>(), bin = std::make_unique<MainBuffer>();
        const std::string p = test::pattern(c.size, c.size);
        std::copy(p.begin(), p.end(), src->data());
        const std::int64_t end = static_cast<std::int64_t>(c.size) - 1;

        ASSERT_TRUE(formats::saveIntelHexFile(*src, end, dir.file("r.hex")));
        const auto h = formats::readIntelHexFile(*hex, dir.file("r.hex"));
        EXPECT_EQ(h.badRecords, 0);
        EXPECT_EQ(h.highestAddress, end);
        EXPECT_EQ(bufferBytes(*hex, 0, c.size), p);

        ASSERT_TRUE(formats::saveBinaryFile(*src, end, dir.file("r.bin")));
        EXPECT_EQ(test::readFile(dir.file("r.bin")).size(), c.size);
        EXPECT_EQ(formats::loadBinaryFile(*bin, dir.file("r.bin"), 0).endAddress, end);
        EXPECT_EQ(bufferBytes(*bin, 0, c.size), p);

        for (std::uint32_t i = 0; i < c.size; ++i) (*src)[i] = '0' + ((*src)[i] & 1);
        ASSERT_EQ(c.jedec.fuseCount(), end + 1);
        ASSERT_TRUE(formats::saveJedecFile(*src, c.jedec, dir.file("r.jed")));
        auto jed = startBuffer();
        const auto j = formats::readJedecFile(*jed, c.jedec, dir.file("r.jed"));
        EXPECT_TRUE(j.checksumFieldSeen);
        EXPECT_EQ(j.fusesStored, end + 1);
        EXPECT_EQ(bufferBytes(*jed, 0, c.size), bufferBytes(*src, 0, c.size));
    }
    // Saving never reads past the buffer.
    EXPECT_EQ(formats::binaryImage(*startBuffer(), 0x7FFFFFFF).size(), kBufferSize);
    EXPECT_TRUE(formats::binaryImage(*startBuffer(), -5).empty());
}

// An Intel HEX record with a correct checksum.
std::string record(unsigned address, unsigned type, const std::vector<unsigned>& data) {
    std::vector<unsigned> bytes = {static_cast<unsigned>(data.size()), address >> 8 & 0xFF, address & 0xFF, type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    std::string s = ":";
    unsigned sum = 0;
    for (unsigned byte : bytes) s += Format("%02X", byte & 0xFF), sum += byte;
    return s + Format("%02X", (0x100 - (sum & 0xFF)) & 0xFF) + "\n";
}

TEST(HexReader, PlainFiles) {
    struct Case { const char* name; std::string text; std::uint32_t at; std::string expect; std::int64_t highest; };
    const std::vector<Case> cases = {
        {"colon inside a line is text", "abc:0400200055667788E6\n", 0x20, "\xFF\xFF\xFF\xFF", -1},
        {"record at the end of the 64 KiB range runs past it", record(0xFFFE, 0, {0xA1, 0xA2, 0xA3}), 0xFFFE,
         "\xA1\xA2\xA3", 0x10000},
        {"carriage returns and lower-case digits", ":02000000beef51\r\n:02000200CAFE34\r\n", 0,
         "\xBE\xEF\xCA\xFE", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = startBuffer();
        const auto r = readIntelHex(*b, c.text);
        EXPECT_EQ(bufferBytes(*b, c.at, static_cast<std::uint32_t>(c.expect.size()) + 1), c.expect + "\xFF");
        EXPECT_EQ(r.highestAddress, c.highest);
    }
}

TEST(HexReader, ExtendedAddressRecordsPlaceDataAboveSixtyFourK) {
    auto b = startBuffer();
    const std::string text = record(0, 4, {0x00, 0x12}) + record(0x3456, 0, {0x5A}) +      // 0x123456
                             record(0, 2, {0x20, 0x00}) + record(0x0010, 0, {0x6B}) +      // 0x20000 + 0x10
                             record(0, 3, {0, 0, 0, 0}) + record(0, 5, {0, 0, 1, 0}) +     // ignored
                             record(0, 4, {0x00, 0x3F}) + record(0xFFFF, 0, {0x7C, 0x8D}) + // last byte beyond
                             record(0, 1, {}) + record(0x40, 0, {0x99});                    // after the end
    const auto r = readIntelHex(*b, text);
    EXPECT_EQ((*b)[0x123456], 0x5A);
    EXPECT_EQ((*b)[0x20010], 0x6B);
    EXPECT_EQ((*b)[0x3FFFFF], 0x7C);
    EXPECT_EQ((*b)[0x40], 0xFF);
    EXPECT_EQ((*b)[0], 0xFF); // types 03 and 05 store nothing
    EXPECT_EQ(r.highestAddress, 0x3FFFFF);
    EXPECT_EQ(r.bytesOutside, 1);
    EXPECT_EQ(r.badRecords, 0);
    EXPECT_NE(r.problemText().find("beyond"), std::string::npos);
}

TEST(HexReader, BadRecordsAreCountedInOneMessageAndSoundOnesStillLoad) {
    struct Case { const char* name; std::string text; int bad, firstLine; std::string at0; }; // at0: bytes 0..1
    const std::string good10 = record(0x10, 0, {0x10, 0x11});
    const std::vector<Case> cases = {
        {"wrong checksum keeps the data", "\n:02000000010200\n" + good10, 1, 2, "\x01\x02"},
        {"missing checksum keeps the data", ":020000000102\n" + good10, 1, 1, "\x01\x02"},
        {"data cut short is dropped", ":0400000001\n" + good10, 1, 1, "\xFF\xFF"},
        {"odd digit count", ":020000000\n" + good10, 1, 1, "\xFF\xFF"},
        {"truncated at end of file", good10 + ":0400000001020", 1, 2, "\xFF\xFF"},
        {"unknown type", record(0, 7, {0x01, 0x02}) + good10, 1, 1, "\xFF\xFF"},
        {"extended record of wrong length", record(0, 4, {1, 2, 3}) + good10, 1, 1, "\xFF\xFF"},
        {"two bad records report the first line", good10 + ":01000000AA00\n:01000100BB00\n", 2, 2, "\xAA\xBB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = startBuffer();
        const auto r = readIntelHex(*b, c.text);
        EXPECT_EQ(r.badRecords, c.bad);
        EXPECT_EQ(bufferBytes(*b, 0, 2), c.at0);
        EXPECT_EQ(bufferBytes(*b, 0x10, 2), "\x10\x11");
        const std::string msg = r.problemText();
        EXPECT_NE(msg.find(std::to_string(c.bad) + " bad record"), std::string::npos) << msg;
        EXPECT_NE(msg.find("line " + std::to_string(c.firstLine)), std::string::npos) << msg;
    }
    EXPECT_EQ(readIntelHex(*startBuffer(), record(0, 0, {1}) + ":00000001FF").problemText(), "");
}

TEST(HexWriter, RecordsOfSixteenAndExtendedAddressesAboveSixtyFourK) {
    auto b = startBuffer();
    for (unsigned i = 0; i < 0x12; ++i) (*b)[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(intelHexText(*b, 0x11),
              ":10000000000102030405060708090A0B0C0D0E0F78\n:020010001011CD\n:00000001FF");
    EXPECT_EQ(intelHexText(*b, -1), ":00000001FF");
    const std::string small = intelHexText(*b, 0xFFFF);
    EXPECT_EQ(small.find(":02000004"), std::string::npos);
    EXPECT_EQ(small.size(), 4096u * 44 + 11);

    const std::string text = intelHexText(*b, 0x3FFFFF);
    std::size_t count = 0;
    for (std::size_t p = text.find(":02000004"); p != std::string::npos; p = text.find(":02000004", p + 1)) ++count;
    EXPECT_EQ(count, 63u);
    EXPECT_NE(text.find(":020000040001F9\n:10000000"), std::string::npos);
    EXPECT_NE(text.find(":02000004003FBB\n"), std::string::npos);
    EXPECT_EQ(intelHexText(*b, 0x7FFFFFFF), text); // beyond the buffer is never read
}

} // namespace
} // namespace quarvin
