#pragma once
// The bytes a serial EEPROM operation sends, split into commands, so that tests
// can ask for what went out with a given opcode without counting positions.
#include <cstdint>
#include <vector>

#include "link/commands/Opcodes.h"

namespace quarvin::test {

struct WireCommand {
    std::uint8_t opcode;
    int argument = -1; // -1: the command has none
};

// Argument count of the commands the serial EEPROM families send.
inline int ArgumentsOf(std::uint8_t op) {
    if (op >= op::WriteDirectionBase && op <= op::WriteControlBase + 1) return 1;
    if (op >= op::WritePortBase && op <= op::WritePortBase + 4) return 1;
    if (op == op::WriteMode || (op >= op::WriteVppLatchA && op <= op::WriteVccGndLatch)) return 1;
    if (op == op::I2cCommand) return 1;
    return 0;
}

inline std::vector<WireCommand> Decode(const std::vector<std::uint8_t>& bytes) {
    std::vector<WireCommand> out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        WireCommand c{bytes[i]};
        if (ArgumentsOf(bytes[i]) == 1 && i + 1 < bytes.size()) c.argument = bytes[++i];
        out.push_back(c);
    }
    return out;
}

} // namespace quarvin::test
