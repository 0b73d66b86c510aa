#pragma once
// The sub-type rows of the 20-pin 8051 flash family; each names the part the
// virtual box puts in its socket.
#include <array>
#include <cstdint>

namespace quarvin {

struct P2051Row {
    const char* name;
    std::uint32_t lastAddress;
    const char* chip; // nullptr for the placeholder
};

inline constexpr std::array<P2051Row, 4> kP2051Rows = {{
    {"Exit", 0, nullptr},
    {"1: 89C1051 (1k)", 0x3FF, "AT89C1051"},
    {"2: 89C2051 (2k)", 0x7FF, "AT89C2051"},
    {"3: 89C4051 (4k)", 0xFFF, "AT89C4051"},
}};

} // namespace quarvin
