// ELF loading: both classes and byte orders, and the files that are refused whole.
#include "buffer/formats/ElfImage.h"
#include "testutil.h"

namespace quarvin {
namespace {

using formats::loadElf;
using test::bufferBytes;

const std::string kElfDir = QUARVIN_SOURCE_DIR "/tests/data/formats/elf/";
constexpr std::uint32_t kLoad = 1, kNote = 4;

struct Segment {
    std::uint32_t type;
    std::uint64_t physical;
    std::string bytes;
};

// An executable with these segments, written field by field as the ELF format lays it out.
std::string MakeElf(bool is64, bool bigEndian, const std::vector<Segment>& segments) {
    std::string out;
    auto put = [&](std::uint64_t v, int size) {
        for (int k = 0; k < size; ++k) {
            const int shift = 8 * (bigEndian ? size - 1 - k : k);
            out.push_back(static_cast<char>((v >> shift) & 0xFF));
        }
    };
    const int word = is64 ? 8 : 4;
    const std::uint64_t headerSize = is64 ? 64 : 52, entrySize = is64 ? 56 : 32;
    out = std::string("\x7F" "ELF", 4) + char(is64 ? 2 : 1) + char(bigEndian ? 2 : 1) + char(1);
    out.resize(16, '\0');
    // Type executable, a machine without special areas, version 1, entry 0, the
    // segment table after the header, no section table, flags, then the sizes.
    const std::pair<std::uint64_t, int> header[] = {
        {2, 2}, {0x28, 2}, {1, 4}, {0, word}, {headerSize, word}, {0, word}, {0, 4}, {headerSize, 2},
        {entrySize, 2}, {segments.size(), 2}, {is64 ? 64u : 40u, 2}, {0, 2}, {0, 2}};
    for (const auto& [value, size] : header) put(value, size);
    std::uint64_t offset = headerSize + entrySize * segments.size();
    for (const auto& s : segments) {
        const std::uint64_t fields[] = {offset, s.physical + 0x800000, s.physical, s.bytes.size(), s.bytes.size() + 16};
        put(s.type, 4);
        if (is64) put(5, 4); // flags
        for (std::uint64_t f : fields) put(f, word);
        if (!is64) put(5, 4);
        put(1, word);        // alignment
        offset += s.bytes.size();
    }
    for (const auto& s : segments) out += s.bytes;
    return out;
}

// The cross compiler's file against its objcopy image is the Load command's and
// quarvin-cli convert's test.
TEST(ElfLoad, BothClassesAndByteOrdersStoreTheFileBytesAtThePhysicalAddress) {
    const std::vector<Segment> segments = {{kLoad, 0x1000, "abc"}, {kNote, 0x1800, "note"}, {kLoad, 0x3FFFFE, "yz"}};
    for (const bool is64 : {false, true}) {
        for (const bool big : {false, true}) {
            SCOPED_TRACE(testing::Message() << (is64 ? 64 : 32) << (big ? " big" : " little"));
            auto b = std::make_unique<MainBuffer>();
            const auto r = loadElf(*b, MakeElf(is64, big, segments));
            ASSERT_TRUE(r.loaded()) << r.refusal;
            EXPECT_EQ(r.bits, is64 ? 64 : 32);
            EXPECT_EQ(r.bigEndian, big);
            EXPECT_EQ(r.bytesStored, 5);
            EXPECT_EQ(r.highestAddress, kBufferLast);
            EXPECT_EQ(bufferBytes(*b, 0xFFF, 5), std::string("\0abc\0", 5)); // memory size beyond the file: not stored
            EXPECT_EQ(bufferBytes(*b, 0x1800, 4), std::string(4, '\0'));
            EXPECT_EQ(bufferBytes(*b, kBufferLast - 1, 2), "yz");
        }
    }
}

TEST(ElfLoad, FilesTheBufferCannotTakeAreRefusedWithTheReasonAndNothingStored) {
    const std::string blink = test::readFile(kElfDir + "blink.elf");
    struct Case { const char* name; std::string file; std::string refusal; };
    const Case cases[] = {
        {"no loadable segment", MakeElf(true, false, {{kNote, 0, "abc"}}),
         "This ELF file has no loadable segment for the buffer."},
        {"beyond the buffer", MakeElf(false, true, {{kLoad, 0x10, "abc"}, {kLoad, 0x3FFFFE, "xyz"}}),
         "Segment 1 (3 bytes at 0x3FFFFE) lies beyond the 4 MiB buffer."},
        {"far beyond the buffer", MakeElf(true, true, {{kLoad, 0xFFFFFFFFFFFFFFFFull, "abc"}}),
         "Segment 0 (3 bytes at 0xFFFFFFFFFFFFFFFF) lies beyond the 4 MiB buffer."},
        {"cut inside a segment", blink.substr(0, 0x100), "Segment 0 reaches beyond the end of this ELF file."},
        {"cut inside the header", blink.substr(0, 30), "This ELF file is damaged"},
        {"not ELF", ":00000001FF", "This is not an ELF file."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = std::make_unique<MainBuffer>();
        const auto r = loadElf(*b, c.file);
        EXPECT_EQ(r.refusal.substr(0, c.refusal.size()), c.refusal);
        EXPECT_EQ(r.bytesStored, 0);
        EXPECT_EQ(bufferBytes(*b, 0x10, 3), std::string(3, '\0'));
    }
}

} // namespace
} // namespace quarvin
