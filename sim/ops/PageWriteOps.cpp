#include "sim/ops/PageWriteOps.h"

#include <array>
#include <utility>
#include <vector>

#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/ops/JedecBus.h"

namespace quarvin::sim {

namespace {

constexpr int kOutputEnable = 28;
constexpr double kByteLoadUs = 2.0; // the box's own time for one byte load

using CommandLoad = std::pair<std::uint16_t, std::uint8_t>; // address, data

struct BlockLength {
    int bytes = 256;
};

// 136, 146 and 148: a block of the set length follows; its bytes are loaded
// from the current address on with /OE held high, at the box's pace, after the
// command loads of `prefix` (none for 136; the software data protection prefix
// AA/5555, 55/2AAA, A0/5555 for 146; AA 55 80 AA 55 and the opcode's argument
// for 148), so that no gap between two loads leaves a part's byte-load window.
void writeBlock(Box& box, OpArgs block, std::size_t from, const std::vector<CommandLoad>& prefix) {
    SocketBus bus(box);
    const BusModeState mode = box.state<BusModeState>();
    std::array<std::uint8_t, 5> saved{};
    for (int n = 0; n < 5; ++n) saved[static_cast<std::size_t>(n)] = bus.port(n);
    const std::uint8_t direction = box.socket().registers().direction[3];
    bus.setPin(kOutputEnable, true);
    if (!prefix.empty()) {
        for (auto [a, d] : prefix) {
            SetCommandAddress(bus, a, mode.pin28());
            WriteCycle(bus, mode.writeEnablePin(), d);
            bus.waitMicroseconds(kByteLoadUs);
        }
        for (int n : {1, 3, 0, 4}) bus.setPort(n, saved[static_cast<std::size_t>(n)]);
        bus.setPin(kOutputEnable, true);
    }
    // The box loads each byte as it arrives, a character time after the one
    // before, so once the block is in only its last load is still to do; the
    // loads land on the part well inside its byte-load window either way.
    for (std::size_t i = from; i < block.count; ++i) {
        WriteCycle(bus, mode.writeEnablePin(), block[i]);
        bus.advanceLowAddress();
    }
    bus.waitMicroseconds(kByteLoadUs);
    bus.setPorts(saved);
    bus.releaseDataBus(direction);
}

const std::vector<CommandLoad> kProtectedWritePrefix{{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xA0}};

OpcodeSpec blockWrite(const char* name, bool protectedWrite) {
    OpcodeSpec s = OpcodeSpec::make(name, 0, 0, [protectedWrite](Box& box, std::uint8_t, OpArgs a) {
        writeBlock(box, a, 0, protectedWrite ? kProtectedWritePrefix : std::vector<CommandLoad>{});
    });
    s.dynamicArgs = [](const Box& box) { return const_cast<Box&>(box).state<BlockLength>().bytes; };
    return s;
}

} // namespace

void installPageWriteOps(OpcodeTable& t) {
    t.add(op::BlockLength, OpcodeSpec::make("block length", 1, 0, [](Box& box, std::uint8_t, OpArgs a) {
              box.state<BlockLength>().bytes = a[0] == 0 ? 256 : a[0];
          }));
    t.add(op::BlockWrite, blockWrite("block write", false));
    t.add(op::BlockWrite2, blockWrite("protected block write", true));
}

void installSixByteBlockWriteOp(OpcodeTable& t) {
    OpcodeSpec s = OpcodeSpec::make("six-byte command and block write", 0, 0, [](Box& box, std::uint8_t, OpArgs a) {
        const std::vector<CommandLoad> prefix{{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80},
                                              {0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, a[0]}};
        writeBlock(box, a, 1, prefix);
    });
    s.dynamicArgs = [](const Box& box) { return 1 + const_cast<Box&>(box).state<BlockLength>().bytes; };
    t.add(op::SixByteBlockWrite, s);
}

} // namespace quarvin::sim
