#include "buffer/MainBuffer.h"

#include <algorithm>
#include <cstring>

namespace quarvin {

void MainBuffer::initialise() {
    std::fill(bytes_.begin(), bytes_.begin() + kInitialFilled, 0xFF);
    std::fill(bytes_.begin() + kInitialFilled, bytes_.end(), 0x00);
}

std::uint32_t MainBuffer::checksum(std::int64_t endAddress) const {
    if (endAddress < 0) return 0;
    const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(endAddress, kBufferLast)) + 1;
    const std::uint8_t* p = bytes_.data();
    constexpr std::uint64_t kLowBytes = 0x00FF00FF00FF00FFull;
    std::uint64_t total = 0;
    std::size_t i = 0;
    // Eight bytes at a time: the even and the odd bytes are added into four 16-bit
    // lanes, folded every 128 words before a lane can overflow (128 x 510 < 65536).
    while (n - i >= 8) {
        const std::size_t words = std::min<std::size_t>((n - i) / 8, 128);
        std::uint64_t lanes = 0;
        for (std::size_t k = 0; k < words; ++k, i += 8) {
            std::uint64_t x;
            std::memcpy(&x, p + i, sizeof x);
            lanes += (x & kLowBytes) + ((x >> 8) & kLowBytes);
        }
        total += (lanes & 0xFFFF) + ((lanes >> 16) & 0xFFFF) + ((lanes >> 32) & 0xFFFF) + (lanes >> 48);
    }
    for (; i < n; ++i) total += p[i];
    return static_cast<std::uint32_t>(total);
}

} // namespace quarvin
