#pragma once
// The sub-type rows of the 40-pin 8051 flash family: the table the dialog fills
// and the virtual box reads. Each row names the part the box puts in its socket.
#include <array>
#include <cstdint>

namespace quarvin {

struct P89c5xRow {
    const char* name;
    std::int8_t pulseTicks;   // ALE/PROG low time in delay ticks; 0 drives it low and high at once
    std::uint32_t lastAddress;
    bool otp;                 // one-time programmable: no erase
    const char* chip;         // the virtual box's part, nullptr for the placeholder
};

inline constexpr std::array<P89c5xRow, 10> kP89c5xRows = {{
    {"Exit", 0, 0, false, nullptr},
    {"1: AT89C51", 20, 0x0FFF, false, "AT89C51"},
    {"2: AT89LV51", 20, 0x0FFF, false, "AT89LV51"},
    {"3: AT89C52", 0, 0x1FFF, false, "AT89C52"},
    {"4: AT89LV52", 0, 0x1FFF, false, "AT89LV52"},
    {"5: AT89C55", 0, 0x4FFF, false, "AT89C55"},
    {"6: AT80F51", 0, 0x0FFF, false, "AT80F51"},
    {"7: AT80F52", 0, 0x1FFF, false, "AT80F52"},
    {"8: AT87F51(OTP)", 0, 0x0FFF, true, "AT87F51"},
    {"9: AT87F52(OTP)", 0, 0x1FFF, true, "AT87F52"},
}};

} // namespace quarvin
