#pragma once
// The AT49F flash memories (5 V, byte programming with the JEDEC command set,
// chip erase only, a boot block with a permanent lockout), one row per sub-type,
// shared by the program and the virtual box. The rows are 29F rows: the parts
// sit in the socket, read and program as the 29F parts do (32-pin JEDEC
// pinout, supply on socket pin 36, no programming voltage).
#include <array>
#include <cstdint>

#include "families/flash29f/F29Rows.h"

namespace quarvin {

inline constexpr const char* kAt49fFormClass = "TAt49fx";

// "Program Cycle Characteristics": tEC, the erase cycle time, 10 seconds max
// in the data sheets of the AT49F040 (Rev. 0998D), AT49F001(N)(T) (Rev. 1008D)
// and AT49F002(N)(T) (Rev. 1017D).
inline constexpr std::uint32_t kAt49fChipEraseMilliseconds = 10'000;

// The AT49F512, AT49F010 and AT49F020 wait for their data sheets (README).
// The AT49F001(N)(T) and AT49F002(N)(T) (1 and 2 Mbit, "Pin Configurations")
// program and chip-erase as the AT49F040 does: their sector erase is not
// used. Their pin 1 is RESET (a don't-connect pin on the N parts), which the
// row's high address mask keeps high: "When RESET is at a logic high level,
// the device is in its standard operating mode". Each row stands for the part
// with and without N, whose codes are the same ("Operating Modes" note 4).
inline constexpr std::array<F29Row, 6> kAt49fRows{{
    {"-----", 0, 0, 0, 0, nullptr},
    {"AT49F040 (512K)", 0x7FFFF, 36, 0, 0, "AT49F040"},
    {"AT49F001 (128K)", 0x1FFFF, 36, 0, 0, "AT49F001"},
    {"AT49F001T (128K)", 0x1FFFF, 36, 0, 0, "AT49F001T"},
    {"AT49F002 (256K)", 0x3FFFF, 36, 0, 0, "AT49F002"},
    {"AT49F002T (256K)", 0x3FFFF, 36, 0, 0, "AT49F002T"},
}};

} // namespace quarvin
