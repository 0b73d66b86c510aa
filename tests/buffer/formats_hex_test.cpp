#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "buffer/formats/IntelHex.h"
#include "formats_testutil.h"

namespace quarvin {
namespace {

using formats::intelHexText;
using formats::readIntelHex;
using test::bufferBytes;
using test::startBuffer;

// An Intel HEX record with a correct checksum.
std::string record(unsigned address, unsigned type, const std::vector<unsigned>& data) {
    char head[16];
    std::snprintf(head, sizeof head, ":%02X%04X%02X", static_cast<unsigned>(data.size()), address & 0xFFFF, type);
    std::string s = head;
    unsigned sum = static_cast<unsigned>(data.size()) + (address >> 8 & 0xFF) + (address & 0xFF) + type;
    for (unsigned d : data) {
        char b[3];
        std::snprintf(b, sizeof b, "%02X", d & 0xFF);
        s += b;
        sum += d;
    }
    char c[3];
    std::snprintf(c, sizeof c, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    return s + c + "\n";
}

TEST(HexReader, OriginalRulesForPlainFiles) {
    struct Case {
        const char* name;
        std::string text;
        std::uint32_t at;
        std::string expect;       // bytes expected at `at`
        std::int64_t highest;
    };
    const std::vector<Case> cases = {
        {"any checksum digits of the record still store it", ":0400100011223344xx\n:00000001FF", 0x10,
         "\x11\x22\x33\x44", 0x13},
        {"colon inside a line is text", "abc:0400200055667788E6\n", 0x20, "\xFF\xFF\xFF\xFF", -1},
        {"count 0 ends reading", ":00000001FF\n" + record(0x30, 0, {1, 2}), 0x30, "\xFF\xFF", -1},
        {"record at the end of the 64 KiB range runs past it", record(0xFFFE, 0, {0xA1, 0xA2, 0xA3}), 0xFFFE,
         "\xA1\xA2\xA3", 0x10000},
        {"carriage returns before line feeds", ":02000000BEEF51\r\n:02000200CAFE34\r\n:00000001FF\r\n", 0,
         "\xBE\xEF\xCA\xFE", 3},
        {"lower-case digits", ":02000000beef51\n", 0, "\xBE\xEF", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = startBuffer();
        const auto r = readIntelHex(*b, c.text);
        EXPECT_EQ(bufferBytes(*b, c.at, static_cast<std::uint32_t>(c.expect.size())), c.expect);
        EXPECT_EQ(r.highestAddress, c.highest);
    }
}

TEST(HexReader, SoundFileLoadsWithoutWarningAndKeepsOtherBytes) {
    auto b = startBuffer();
    const auto r = readIntelHex(*b, record(0x10, 0, {0x11, 0x22, 0x33, 0x44}) + ":00000001FF");
    EXPECT_EQ(r.badRecords, 0);
    EXPECT_TRUE(r.problemText().empty());
    EXPECT_EQ(r.bytesStored, 4);
    EXPECT_EQ((*b)[0x0F], 0xFF);
    EXPECT_EQ((*b)[0x14], 0xFF);
}

TEST(HexReader, ExtendedAddressRecordsPlaceDataAboveSixtyFourK) {
    auto b = startBuffer();
    const std::string text = record(0, 4, {0x00, 0x12}) + record(0x3456, 0, {0x5A}) +  // 0x123456
                             record(0, 2, {0x20, 0x00}) + record(0x0010, 0, {0x6B}) +  // 0x20000 + 0x10
                             record(0, 3, {0, 0, 0, 0}) + record(0, 5, {0, 0, 1, 0}) +  // ignored
                             record(0, 4, {0x00, 0x3F}) + record(0xFFFF, 0, {0x7C, 0x8D}) +  // last byte beyond
                             record(0, 1, {}) + record(0x40, 0, {0x99});                // after the end
    const auto r = readIntelHex(*b, text);
    EXPECT_EQ((*b)[0x123456], 0x5A);
    EXPECT_EQ((*b)[0x20010], 0x6B);
    EXPECT_EQ((*b)[0x3FFFFF], 0x7C);
    EXPECT_EQ((*b)[0x40], 0xFF);
    EXPECT_EQ((*b)[0], 0xFF); // types 03 and 05 store nothing
    EXPECT_EQ(r.highestAddress, 0x3FFFFF);
    EXPECT_EQ(r.bytesOutside, 1);
    EXPECT_EQ(r.badRecords, 0);
    EXPECT_TRUE(r.endRecordSeen);
    EXPECT_NE(r.problemText().find("beyond"), std::string::npos);
}

TEST(HexReader, BadRecordsAreCountedAndSoundOnesStillLoad) {
    struct Case {
        const char* name;
        std::string text;
        int bad;
        int firstLine;
        std::string at0; // bytes 0..1 after the load
        std::string at10; // bytes 0x10..0x11
    };
    const std::string good10 = record(0x10, 0, {0x10, 0x11});
    const std::vector<Case> cases = {
        {"wrong checksum keeps the data", "\n" + std::string(":02000000010200\n") + good10, 1, 2, "\x01\x02",
         "\x10\x11"},
        {"missing checksum keeps the data", ":020000000102\n" + good10, 1, 1, "\x01\x02", "\x10\x11"},
        {"data cut short is dropped", ":0400000001\n" + good10, 1, 1, "\xFF\xFF", "\x10\x11"},
        {"odd digit count", ":020000000\n" + good10, 1, 1, "\xFF\xFF", "\x10\x11"},
        {"truncated at end of file", good10 + ":0400000001020", 1, 2, "\xFF\xFF", "\x10\x11"},
        {"unknown type", record(0, 7, {0x01, 0x02}) + good10, 1, 1, "\xFF\xFF", "\x10\x11"},
        {"extended record of wrong length", record(0, 4, {1, 2, 3}) + good10, 1, 1, "\xFF\xFF", "\x10\x11"},
        {"two bad records report the first line", good10 + ":01000000AA00\n:01000100BB00\n", 2, 2, "\xAA\xBB",
         "\x10\x11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = startBuffer();
        const auto r = readIntelHex(*b, c.text);
        EXPECT_EQ(r.badRecords, c.bad);
        EXPECT_EQ(r.firstBadLine, c.firstLine);
        EXPECT_EQ(bufferBytes(*b, 0, 2), c.at0);
        EXPECT_EQ(bufferBytes(*b, 0x10, 2), c.at10);
        const std::string msg = r.problemText();
        EXPECT_NE(msg.find(std::to_string(c.bad) + " bad record"), std::string::npos) << msg;
        EXPECT_NE(msg.find("line " + std::to_string(c.firstLine)), std::string::npos) << msg;
    }
}

TEST(HexReader, GarbageAndHugeLinesStayInsideTheirRecords) {
    auto b = startBuffer();
    const auto plain = readIntelHex(*b, std::string(100 * 1024, 'A') + "\n");
    EXPECT_EQ(plain.records, 0);
    EXPECT_EQ(plain.bytesStored, 0);

    // A record line of 100 KB: the count limits the data, the rest is text.
    const auto longRecord = readIntelHex(*b, ":FF000000" + std::string(100 * 1024, '1') + "\n");
    EXPECT_EQ(longRecord.bytesStored, 255);
    EXPECT_EQ(longRecord.highestAddress, 254);
    EXPECT_EQ(longRecord.badRecords, 1); // its checksum "11" is wrong

    // Binary garbage with line breaks and colons: whatever it stores lies at or
    // below the highest address it reports.
    std::string garbage = test::pattern(300000, 7);
    for (std::size_t i = 0; i + 1 < garbage.size(); i += 97) {
        garbage[i] = '\n';
        garbage[i + 1] = ':';
    }
    auto before = startBuffer();
    auto after = startBuffer();
    const auto r = readIntelHex(*after, garbage);
    EXPECT_GT(r.badRecords, 0);
    for (std::uint32_t a = 0; a < kBufferSize; ++a) {
        if ((*before)[a] != (*after)[a]) {
            ASSERT_LE(a, r.highestAddress);
        }
    }
}

TEST(HexWriter, SmallBuffersAreWrittenRecordByRecord) {
    auto b = startBuffer();
    for (unsigned i = 0; i < 0x12; ++i) (*b)[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(intelHexText(*b, 0x11),
              ":10000000000102030405060708090A0B0C0D0E0F78\n"
              ":020010001011CD\n"
              ":00000001FF");
    EXPECT_EQ(intelHexText(*b, -1), ":00000001FF");
    EXPECT_EQ(intelHexText(*b, 0), ":0100000000FF\n:00000001FF");
    const std::string full = intelHexText(*b, 0xFFFF);
    EXPECT_EQ(full.find(":02000004"), std::string::npos);
    EXPECT_EQ(full.size(), 4096u * 44 + 11);
}

TEST(HexWriter, LargeBuffersGetExtendedLinearAddressRecords) {
    auto b = startBuffer();
    const std::string text = intelHexText(*b, 0x3FFFFF);
    std::size_t count = 0;
    for (std::size_t p = text.find(":02000004"); p != std::string::npos; p = text.find(":02000004", p + 1)) ++count;
    EXPECT_EQ(count, 63u);
    EXPECT_NE(text.find(":020000040001F9\n:10000000"), std::string::npos);
    EXPECT_NE(text.find(":02000004003FBB\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 11), ":00000001FF");
    // Beyond the buffer is never read.
    EXPECT_EQ(intelHexText(*b, 0x7FFFFFFF), text);
}

TEST(HexFormat, SaveThenLoadGivesTheSameBytes) {
    for (std::uint32_t size : {0u, 1u, 16u, 17u, 0x10000u, 0x10001u, 0x400000u}) {
        SCOPED_TRACE(size);
        auto src = startBuffer();
        const std::string p = test::pattern(size, size);
        std::copy(p.begin(), p.end(), src->data());
        test::ScratchDir dir;
        const std::string path = dir.file("round.hex");
        ASSERT_TRUE(formats::saveIntelHexFile(*src, static_cast<std::int64_t>(size) - 1, path));
        auto dst = std::make_unique<MainBuffer>(); // all zero: every byte must come from the file
        const auto r = formats::readIntelHexFile(*dst, path);
        EXPECT_TRUE(r.opened);
        EXPECT_EQ(r.badRecords, 0);
        EXPECT_EQ(r.highestAddress, static_cast<std::int64_t>(size) - 1);
        EXPECT_TRUE(std::equal(src->data(), src->data() + size, dst->data()));
    }
}

// Files written by GNU objcopy from raw images load to the same bytes.
TEST(HexFormat, ObjcopyFilesLoadToTheRawImage) {
    if (std::system("objcopy --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "objcopy is not installed";
    for (std::uint32_t size : {1024u, 0x10001u, 300u * 1024u}) {
        SCOPED_TRACE(size);
        test::ScratchDir dir;
        const std::string bin = dir.file("in.bin"), hex = dir.file("out.hex");
        const std::string image = test::pattern(size, 11 + size);
        test::writeFile(bin, image);
        const std::string cmd = "objcopy -I binary -O ihex '" + bin + "' '" + hex + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        auto b = std::make_unique<MainBuffer>();
        const auto r = formats::readIntelHexFile(*b, hex);
        EXPECT_EQ(r.badRecords, 0);
        EXPECT_EQ(r.highestAddress, size - 1);
        EXPECT_EQ(bufferBytes(*b, 0, size), image);
    }
}

TEST(HexFormat, MissingFileIsReportedAsNotOpened) {
    auto b = startBuffer();
    EXPECT_FALSE(formats::readIntelHexFile(*b, "/nonexistent/dir/x.hex").opened);
    EXPECT_FALSE(formats::saveIntelHexFile(*b, 0, "/nonexistent/dir/x.hex"));
}

} // namespace
} // namespace quarvin
