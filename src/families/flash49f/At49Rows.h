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

// AT49F040 data sheet (Rev. 0998D), "Program Cycle Characteristics": tEC,
// the erase cycle time, 10 seconds max.
inline constexpr std::uint32_t kAt49fChipEraseMilliseconds = 10'000;

// Only the AT49F040 so far: its data sheet (Rev. 0998D) gives every value the
// family uses. The AT49F512, AT49F010 and AT49F020 wait for theirs; the
// AT49F001(N)(T) and AT49F002(N)(T) add a sector erase and parameter blocks
// that this family does not model yet (README).
inline constexpr std::array<F29Row, 2> kAt49fRows{{
    {"-----", 0, 0, 0, 0, nullptr},
    {"AT49F040 (512K)", 0x7FFFF, 36, 0, 0, "AT49F040"},
}};

} // namespace quarvin
