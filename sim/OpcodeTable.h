#pragma once
// Opcode -> (argument count, reply count, handler). The box's own commands are
// installed by installStandardOps; device families add their accelerated opcodes
// through installFamilyOps (sim/ops/FamilyOps.cpp).
#include <array>
#include <cstdint>
#include <functional>

namespace quarvin::sim {

class Box;

// Arguments of one command, as received.
struct OpArgs {
    const std::uint8_t* bytes = nullptr;
    std::size_t count = 0;
    std::uint8_t operator[](std::size_t i) const { return bytes[i]; }
};

struct OpcodeSpec {
    using Handler = std::function<void(Box&, std::uint8_t opcode, OpArgs args)>;
    // Argument count decided by box state when the opcode arrives (block writes
    // whose length was set earlier); when set it overrides `args`.
    using ArgCount = std::function<int(const Box&)>;

    int args = 0;
    int replies = 0;     // checked after the handler: a mismatch is recorded as a box error
    Handler handler;
    ArgCount dynamicArgs;
    const char* name = "";

    explicit operator bool() const { return static_cast<bool>(handler); }

    static OpcodeSpec make(const char* name, int args, int replies, Handler h) {
        OpcodeSpec s;
        s.name = name;
        s.args = args;
        s.replies = replies;
        s.handler = std::move(h);
        return s;
    }
};

class OpcodeTable {
public:
    // Registers (or replaces) an opcode.
    void add(std::uint8_t opcode, OpcodeSpec spec) { table_[opcode] = std::move(spec); }
    void addRange(std::uint8_t first, std::uint8_t last, const OpcodeSpec& spec) {
        for (int op = first; op <= last; ++op) table_[op] = spec;
    }
    const OpcodeSpec* find(std::uint8_t opcode) const {
        const auto& s = table_[opcode];
        return s ? &s : nullptr;
    }

private:
    std::array<OpcodeSpec, 256> table_{};
};

} // namespace quarvin::sim
