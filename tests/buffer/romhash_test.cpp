// Buffer hashes against coreutils' sha1sum/sha256sum and the CRC-32 that gzip
// stores in its trailer, over random ranges; and the difference listing.
#include <cstdio>
#include <random>

#include "buffer/Differences.h"
#include "buffer/RomHash.h"
#include "testutil.h"

namespace quarvin {
namespace {

std::string shell(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, p)) out += chunk;
        ::pclose(p);
    }
    return out;
}

// gzip ends with the CRC-32 of the data, least significant byte first.
std::string gzipCrc32(const std::string& path) {
    const std::string bytes = shell("gzip -c '" + path + "' | tail -c 8 | od -An -tu1 -N4");
    unsigned b[4] = {};
    if (std::sscanf(bytes.c_str(), "%u %u %u %u", &b[0], &b[1], &b[2], &b[3]) != 4) return "(no gzip)";
    char text[16];
    std::snprintf(text, sizeof text, "%08x", b[0] | b[1] << 8 | b[2] << 16 | b[3] << 24);
    return text;
}

std::string firstWord(const std::string& s) { return s.substr(0, s.find(' ')); }

TEST(RomHash, AgreesWithCoreutilsAndGzipOnRandomRanges) {
    test::ScratchDir dir;
    auto b = std::make_unique<MainBuffer>();
    const std::string p = test::pattern(kBufferSize, 7);
    std::copy(p.begin(), p.end(), b->data());
    std::mt19937 random(28);
    std::vector<std::pair<std::int64_t, std::int64_t>> ranges = {{0, -1}, {0, 0}, {kBufferLast - 5, kBufferLast}};
    for (int k = 0; k < 6; ++k) {
        const std::int64_t first = random() % kBufferSize;
        ranges.emplace_back(first, std::min<std::int64_t>(kBufferLast, first + random() % 300000));
    }
    for (const auto& [first, last] : ranges) {
        SCOPED_TRACE(testing::Message() << first << ".." << last);
        const std::string file = dir.file("range.bin");
        test::writeFile(file, last < first ? "" : p.substr(static_cast<std::size_t>(first),
                                                           static_cast<std::size_t>(last - first + 1)));
        EXPECT_EQ(romHash(RomHashKind::Sha1, *b, first, last), firstWord(shell("sha1sum '" + file + "'")));
        EXPECT_EQ(romHash(RomHashKind::Sha256, *b, first, last), firstWord(shell("sha256sum '" + file + "'")));
        EXPECT_EQ(romHash(RomHashKind::Crc32, *b, first, last), gzipCrc32(file));
    }
    EXPECT_EQ(romHashLine({RomHashKind::Crc32, RomHashKind::Sha1}, *b, 0, -1),
              "CRC-32 00000000  SHA-1 da39a3ee5e6b4b0d3255bfef95601890afd80709");
}

class HexWindowHashes : public test::WindowsTest {};

// The hashes themselves are checked above against the tools.
TEST_F(HexWindowHashes, ThePopupItemShowsTheHashesOfTheWindowsRange) {
    for (std::uint32_t a = 0; a < 0x12346; ++a) buf[a] = static_cast<std::uint8_t>(a * 13);
    TFileWin& w = hex();
    w.setEndAddress(0x12344);
    w.popupClick(2);
    auto hash = [&](RomHashKind kind) { return romHash(kind, buf, 0, 0x12344); };
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"0..12344:\nCRC-32 " + hash(RomHashKind::Crc32) + "\nSHA-1 " +
                                                             hash(RomHashKind::Sha1) + "\nSHA-256 " +
                                                             hash(RomHashKind::Sha256)});
}

TEST(DifferenceList, RunsListedUpToTheMaximumAndAllCounted) {
    std::vector<std::uint8_t> a(10000, 0x11), b = a;
    for (std::size_t k : {std::size_t{3}, std::size_t{4}, std::size_t{5}, std::size_t{4095}, std::size_t{4096},
                          std::size_t{9999}})
        b[k] = static_cast<std::uint8_t>(k);
    struct Case { std::int64_t max; const char* text; };
    // The whole listing's text is the quarvin-cli diff tests'.
    const Case cases[] = {
        {2, "Address  FILE1  FILE2\n000103-000104, 2 bytes\n  000103  11  03\n  000104  11  04\n"
            "6 bytes differ in 3 runs; the first 2 are listed.\n"},
        {0, "6 bytes differ in 3 runs; the first 0 are listed.\n"},
    };
    for (const auto& c : cases) {
        DifferenceList list(c.max);
        list.compare(0x100, a.data(), b.data(), static_cast<std::int64_t>(a.size()));
        EXPECT_EQ(list.text("FILE1", "FILE2"), c.text) << c.max;
    }
}

} // namespace
} // namespace quarvin
