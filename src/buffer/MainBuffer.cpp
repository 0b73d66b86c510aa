#include "buffer/MainBuffer.h"

#include <algorithm>

namespace quarvin {

void MainBuffer::initialise() {
    std::fill(bytes_.begin(), bytes_.begin() + kInitialFilled, 0xFF);
    std::fill(bytes_.begin() + kInitialFilled, bytes_.end(), 0x00);
}

std::uint32_t MainBuffer::checksum(std::int64_t endAddress) const {
    if (endAddress < 0) return 0;
    const std::int64_t last = std::min<std::int64_t>(endAddress, kBufferLast);
    std::uint32_t sum = 0;
    const std::uint8_t* p = bytes_.data();
    for (std::int64_t a = 0; a <= last; ++a) sum += p[a];
    return sum;
}

} // namespace quarvin
