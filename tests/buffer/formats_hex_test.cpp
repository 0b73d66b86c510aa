#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "buffer/formats/IntelHex.h"
#include "testutil.h"

namespace quarvin {
namespace {

using formats::intelHexText;
using formats::readIntelHex;
using test::bufferBytes;
using test::startBuffer;

// An Intel HEX record with a correct checksum.
std::string record(unsigned address, unsigned type, const std::vector<unsigned>& data) {
    std::vector<unsigned> bytes = {static_cast<unsigned>(data.size()), address >> 8 & 0xFF, address & 0xFF, type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    unsigned sum = 0;
    std::string s = ":";
    char b[3];
    for (unsigned byte : bytes) {
        std::snprintf(b, sizeof b, "%02X", byte & 0xFF);
        s += b;
        sum += byte;
    }
    std::snprintf(b, sizeof b, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    return s + b + "\n";
}

TEST(HexReader, PlainFiles) {
    struct Case { const char* name; std::string text; std::uint32_t at; std::string expect; std::int64_t highest; };
    const std::vector<Case> cases = {
        {"any checksum digits still store the data", ":0400100011223344xx\n:00000001FF", 0x10, "\x11\x22\x33\x44",
         0x13},
        {"colon inside a line is text", "abc:0400200055667788E6\n", 0x20, "\xFF\xFF\xFF\xFF", -1},
        {"count 0 ends reading", ":00000001FF\n" + record(0x30, 0, {1, 2}), 0x30, "\xFF\xFF", -1},
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

TEST(HexReader, GarbageAndHugeLinesStayInsideTheirRecords) {
    auto b = startBuffer();
    const auto plain = readIntelHex(*b, std::string(100 * 1024, 'A').append("\n"));
    EXPECT_EQ(plain.records + plain.bytesStored, 0);

    // A record line of 100 KB: the count limits the data, the rest is text.
    const auto longRecord = readIntelHex(*b, ":FF000000" + std::string(100 * 1024, '1') + "\n");
    EXPECT_EQ(longRecord.bytesStored, 255);
    EXPECT_EQ(longRecord.highestAddress, 254);
    EXPECT_EQ(longRecord.badRecords, 1); // its checksum "11" is wrong

    // Binary garbage with line breaks and colons: whatever it stores lies at or
    // below the highest address it reports.
    std::string garbage = test::pattern(300000, 7);
    for (std::size_t i = 0; i + 1 < garbage.size(); i += 97) garbage.replace(i, 2, "\n:");
    auto before = startBuffer(), after = startBuffer();
    const auto r = readIntelHex(*after, garbage);
    EXPECT_GT(r.badRecords, 0);
    for (std::uint32_t a = 0; a < kBufferSize; ++a)
        ASSERT_TRUE((*after)[a] == (*before)[a] || a <= r.highestAddress) << a;
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

// Files written by GNU objcopy from raw images load to the same bytes.
TEST(HexReader, ObjcopyFilesLoadToTheRawImage) {
    if (std::system("objcopy --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "objcopy is not installed";
    for (std::uint32_t size : {1024u, 0x10001u, 300u * 1024u}) {
        SCOPED_TRACE(size);
        test::ScratchDir dir;
        const std::string bin = dir.file("in.bin"), hex = dir.file("out.hex");
        const std::string image = test::pattern(size, 11 + size);
        test::writeFile(bin, image);
        ASSERT_EQ(std::system(("objcopy -I binary -O ihex '" + bin + "' '" + hex + "'").c_str()), 0);
        auto b = std::make_unique<MainBuffer>();
        const auto r = formats::readIntelHexFile(*b, hex);
        EXPECT_EQ(r.badRecords, 0);
        EXPECT_EQ(r.highestAddress, size - 1);
        EXPECT_EQ(bufferBytes(*b, 0, size), image);
    }
}

} // namespace
} // namespace quarvin
