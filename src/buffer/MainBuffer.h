#pragma once
// The one 4 MiB data image of the program. Files, windows and device dialogs read
// and write it by address; nothing keeps a copy of it.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarvin {

constexpr std::uint32_t kBufferSize = 0x400000;  // 4 MiB
constexpr std::uint32_t kBufferLast = 0x3FFFFF;
constexpr std::uint32_t kInitialFilled = 0x100000; // first 1 MiB starts as 0xFF

class MainBuffer {
public:
    MainBuffer() : bytes_(kBufferSize, 0) {}
    // Start-up contents: the first 1 MiB 0xFF, the rest 0.
    void initialise();

    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    static constexpr std::size_t size() { return kBufferSize; }
    std::uint8_t& operator[](std::uint32_t a) { return bytes_[a]; }
    std::uint8_t operator[](std::uint32_t a) const { return bytes_[a]; }
    static constexpr bool contains(std::int64_t a) { return a >= 0 && a <= kBufferLast; }

    // 32-bit wrapping sum of bytes 0..endAddress (clipped to the buffer); 0 for end < 0.
    std::uint32_t checksum(std::int64_t endAddress) const;

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace quarvin
