#include <gtest/gtest.h>

#include <vector>

#include "buffer/formats/BinaryFormat.h"
#include "formats_testutil.h"

namespace quarvin {
namespace {

using test::bufferBytes;
using test::startBuffer;

TEST(BinaryLoad, LaneSelectionAndStartAddress) {
    struct Case {
        int mask, select;
        std::int64_t start;
        std::string stored;
        std::int32_t end;
    };
    const std::string file = "\x01\x02\x03\x04\x05\x06";
    const std::vector<Case> cases = {
        {0, 0, 0, "\x01\x02\x03\x04\x05\x06", 5},
        {1, 0, 0x100, "\x01\x03\x05", 0x102},
        {1, 1, 0x100, "\x02\x04\x06", 0x102},
        {3, 0, 0, "\x01\x05", 1},
        {3, 1, 0, "\x02\x06", 1},
        {3, 2, 0, "\x03", 0},
        {3, 3, 0, "\x04", 0},
        {7, 5, 0, "\x02\x06", 1}, // mask and select are taken modulo 4
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << c.mask << " select " << c.select);
        auto b = startBuffer();
        const auto r = formats::loadBinary(*b, file, c.start, c.mask, c.select);
        EXPECT_EQ(bufferBytes(*b, static_cast<std::uint32_t>(c.start), static_cast<std::uint32_t>(c.stored.size())),
                  c.stored);
        EXPECT_EQ(r.endAddress, c.end);
        EXPECT_EQ((*b)[static_cast<std::uint32_t>(c.end + 1)], 0xFF); // the rest is left alone
    }
}

TEST(BinaryLoad, EndAddressIsTheLastAddressWrittenInsideTheBuffer) {
    struct Case {
        const char* name;
        std::size_t fileSize;
        std::int64_t start;
        std::int64_t stored;
        std::int32_t end;
    };
    const std::vector<Case> cases = {
        {"empty file at 0", 0, 0, 0, -1},
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
        if (c.stored > 0) {
            const std::int64_t first = std::max<std::int64_t>(c.start, 0);
            EXPECT_EQ(bufferBytes(*b, static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(c.stored)),
                      file.substr(static_cast<std::size_t>(first - c.start), static_cast<std::size_t>(c.stored)));
        }
    }
}

TEST(CdsLoad, HeaderIsDroppedAndTheEndCoversTheMovedData) {
    struct Case {
        std::size_t fileSize;
        std::int32_t end;
    };
    for (const Case c : {Case{10, 7}, Case{3, 0}, Case{2, -1}, Case{1, -1}, Case{0, -1},
                         Case{0x400000 + 10, 0x3FFFFD}}) {
        SCOPED_TRACE(c.fileSize);
        auto b = startBuffer();
        const std::string file = test::pattern(c.fileSize, 9);
        const auto r = formats::loadCds(*b, file);
        EXPECT_EQ(r.endAddress, c.end);
        if (c.end >= 0) {
            EXPECT_EQ(bufferBytes(*b, 0, static_cast<std::uint32_t>(c.end + 1)),
                      file.substr(2, static_cast<std::size_t>(c.end + 1)));
        }
    }
}

TEST(BinaryFormat, SaveThenLoadGivesTheSameBytes) {
    for (std::uint32_t size : {0u, 1u, 16u, 17u, 0x10000u, 0x400000u}) {
        SCOPED_TRACE(size);
        auto src = startBuffer();
        const std::string p = test::pattern(size, size + 1);
        std::copy(p.begin(), p.end(), src->data());
        test::ScratchDir dir;
        const std::string path = dir.file("round.bin");
        ASSERT_TRUE(formats::saveBinaryFile(*src, static_cast<std::int64_t>(size) - 1, path));
        EXPECT_EQ(test::readFile(path).size(), size);
        auto dst = std::make_unique<MainBuffer>();
        const auto r = formats::loadBinaryFile(*dst, path, 0);
        EXPECT_EQ(r.endAddress, static_cast<std::int32_t>(size) - 1);
        EXPECT_EQ(bufferBytes(*dst, 0, size), p);
    }
}

TEST(BinaryFormat, SaveNeverReadsPastTheBufferAndFailuresAreReported) {
    auto b = startBuffer();
    EXPECT_EQ(formats::binaryImage(*b, 0x7FFFFFFF).size(), kBufferSize);
    EXPECT_TRUE(formats::binaryImage(*b, -5).empty());
    EXPECT_FALSE(formats::saveBinaryFile(*b, 0, "/nonexistent/dir/x.bin"));
    EXPECT_FALSE(formats::loadBinaryFile(*b, "/nonexistent/dir/x.bin", 0).opened);
    EXPECT_FALSE(formats::loadCdsFile(*b, "/nonexistent/dir/x.cds").opened);
}

} // namespace
} // namespace quarvin
