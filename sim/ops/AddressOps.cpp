// Reading the memories byte by byte: the data pins are read with the address
// already on the ports, then the box advances the low address byte itself.
#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/ops/StandardOps.h"
#include "sim/ops/SocketBus.h"

namespace quarvin::sim {

void installAddressOps(OpcodeTable& t) {
    OpcodeSpec readNext;
    readNext.name = "read next byte";
    readNext.replies = 1;
    readNext.handler = [](Box& box, std::uint8_t, OpArgs) {
        SocketBus bus(box);
        box.reply(bus.readDataBus());
        bus.advanceLowAddress();
    };
    t.add(op::ReadNext, readNext);

    OpcodeSpec advance;
    advance.name = "advance address";
    advance.handler = [](Box& box, std::uint8_t, OpArgs) { SocketBus(box).advanceLowAddress(); };
    t.add(op::AdvanceAddress, advance);
}

} // namespace quarvin::sim
