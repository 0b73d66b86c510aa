#pragma once
// The sub-type rows of the AT89S5x family in its parallel programming mode: the
// table the dialog fills and the virtual box reads. Each row names the part the
// box puts in its socket.
#include <array>
#include <cstdint>

namespace quarvin {

struct P89s5xRow {
    const char* name;
    std::uint32_t lastAddress;
    const char* chip; // the virtual box's part, nullptr for the placeholder
};

// AT89S51: 4K bytes (data sheet 2487A, features); AT89S52: 8K bytes (doc1919,
// features). The AT89S53, AT89S8252 and AT89S8253 have no row: no data sheet
// of theirs was at hand to confirm their parallel mode.
inline constexpr std::array<P89s5xRow, 3> kP89s5xRows = {{
    {"Exit", 0, nullptr},
    {"1: AT89S51", 0x0FFF, "AT89S51"},
    {"2: AT89S52", 0x1FFF, "AT89S52"},
}};

} // namespace quarvin
