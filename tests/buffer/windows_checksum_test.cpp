// The buffer checksum against a plain byte-by-byte sum.
#include <gtest/gtest.h>

#include <random>

#include "buffer/MainBuffer.h"

namespace quarvin {
namespace {

TEST(BufferChecksum, MatchesAPlainSumForEveryKindOfEnd) {
    MainBuffer buf;
    std::mt19937 rng(7);
    for (std::uint32_t a = 0; a < kBufferSize; ++a) buf[a] = static_cast<std::uint8_t>(rng());
    auto plain = [&](std::int64_t end) {
        std::uint32_t s = 0;
        for (std::int64_t a = 0; a <= end && a <= kBufferLast; ++a) s += buf[static_cast<std::uint32_t>(a)];
        return s;
    };
    for (std::int64_t end : {-5ll, -1ll, 0ll, 1ll, 6ll, 7ll, 8ll, 9ll, 1023ll, 1024ll, 1031ll, 0x12345ll, 0x3FFFFEll,
                             0x3FFFFFll, 0x400000ll, 0x7FFFFFFFll})
        EXPECT_EQ(buf.checksum(end), end < 0 ? 0u : plain(end)) << end;
}

TEST(BufferChecksum, AllOnesOverTheWholeBuffer) {
    MainBuffer buf;
    for (std::uint32_t a = 0; a < kBufferSize; ++a) buf[a] = 0xFF;
    EXPECT_EQ(buf.checksum(kBufferLast), 0xFFu * kBufferSize);
}

} // namespace
} // namespace quarvin
