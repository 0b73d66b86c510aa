#include <gtest/gtest.h>

#include <vector>

#include "buffer/formats/BinaryFormat.h"
#include "buffer/formats/FileNames.h"
#include "buffer/formats/IntelHex.h"
#include "buffer/formats/Jedec.h"
#include "testutil.h"

namespace quarvin {
namespace {

using test::bufferBytes;
using test::startBuffer;
using formats::FuseGeometry;
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
        EXPECT_EQ(formats::loadCds(*b, file.substr(0, size)).endAddress, end) << size;
        const auto n = static_cast<std::uint32_t>(end + 1);
        EXPECT_EQ(bufferBytes(*b, 0, n), file.substr(2, n));
    }
}

TEST(JedecReader, FuseFields) {
    struct Case { const char* name; std::string text, first8; }; // first8: fuses 0..7 after the load
    const std::vector<Case> cases = {
        {"data part after a header", "GAL16V8\nQF2194*\n*L0000 0101*C0000*", "01010000"},
        {"fields in any order", "*L0004 11*L0000 1*C*", "10001100"},
        {"L not after a star is text", "N note L0002 1111*C*", "00000000"},
        {"blanks and line breaks between star and L", "*\n \r\nL0001 1*C*", "01000000"},
        {"fuse data stays on in later fields", "*L0000 1*N 1 0 1*C*", "11010000"},
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

TEST(JedecWriter, EveryRowAndTheDeviceNamedByItsWidth) {
    struct Case { FuseGeometry g; const char* device; int rows; };
    for (const Case c : {Case{k16V8, "GAL16V8\n", 70}, Case{FuseGeometry{40, 64}, "GAL20V8\n", 70},
                         Case{FuseGeometry{44, 132}, "GAL22V10\n", 138}, Case{FuseGeometry{36, 10}, "", 16}}) {
        SCOPED_TRACE(c.device);
        auto b = startBuffer();
        (*b)[1] = '0';
        (*b)[static_cast<std::uint32_t>(c.g.fusesPerRow)] = 0x30; // first fuse of row 1
        std::string expect = std::string(c.device) + "Morvek*\nL0000 \n";
        for (int r = 0; r < c.rows; ++r) {
            std::string row(static_cast<std::size_t>(c.g.fusesPerRow), '1'); // 0xFF bytes show as "1"
            if (r < 2) row[static_cast<std::size_t>(1 - r)] = '0';
            expect += row + (r + 1 == c.rows ? "*\n" : "\n");
        }
        EXPECT_EQ(formats::jedecText(*b, c.g), expect + "C0BE6*");
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

} // namespace
} // namespace quarvin
