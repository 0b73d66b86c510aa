#include "sim/ops/StandardOps.h"

#include "link/commands/Opcodes.h"
#include "sim/Box.h"

namespace quarvin::sim {

namespace {

using Handler = OpcodeSpec::Handler;


void identify(Box& box) {
    const std::string& id = box.config().identification;
    int length = 9;
    if (box.faults().identifyLength) length = *box.faults().identifyLength;
    for (int i = 0; i < length && i < 9; ++i) {
        std::uint8_t b = box.config().identifyTail;
        if (i < 8) b = i < static_cast<int>(id.size()) ? static_cast<std::uint8_t>(id[i]) : 0;
        box.reply(b);
    }
}

} // namespace

void installStandardOps(OpcodeTable& t) {
    t.add(op::PowerOff, OpcodeSpec::make("power off", 0, 0, [](Box& b, std::uint8_t, OpArgs) {
        b.socket().powerOff();
    }));
    t.addRange(op::ReadPortBase, op::ReadPortBase + op::PortCount - 1,
               OpcodeSpec::make("read port", 0, 1, [](Box& b, std::uint8_t o, OpArgs) {
                   b.reply(b.socket().readInputPort(o - op::ReadPortBase, b.nowPs()));
               }));
    t.add(op::ReadStatus, OpcodeSpec::make("read status", 0, 1, [](Box& b, std::uint8_t, OpArgs) {
        b.reply(b.socket().readStatus(b.nowPs()));
    }));
    t.addRange(op::WriteDirectionBase, op::WriteDirectionBase + op::DirectionRegisterCount - 1,
               OpcodeSpec::make("write direction", 1, 0, [](Box& b, std::uint8_t o, OpArgs a) {
                   b.socket().writeDirection(o - op::WriteDirectionBase, a[0]);
               }));
    t.addRange(op::WriteControlBase, op::WriteControlBase + op::ControlRegisterCount - 1,
               OpcodeSpec::make("write control", 1, 0, [](Box& b, std::uint8_t o, OpArgs a) {
                   b.socket().writeControl(o - op::WriteControlBase, a[0]);
               }));
    // The reply length varies under the short-identify fault, so it is not checked.
    t.add(op::Identify, OpcodeSpec::make("identify", 0, -1, [](Box& b, std::uint8_t, OpArgs) { identify(b); }));
    t.addRange(op::WritePortBase, op::WritePortBase + op::PortCount - 1,
               OpcodeSpec::make("write port", 1, 0, [](Box& b, std::uint8_t o, OpArgs a) {
                   b.socket().writePort(o - op::WritePortBase, a[0]);
               }));
    t.add(op::WriteMode, OpcodeSpec::make("write mode", 1, 0, [](Box& b, std::uint8_t, OpArgs a) {
        b.socket().writeMode(a[0]);
    }));
    t.add(op::WriteVppLatchA, OpcodeSpec::make("write Vpp latch A", 1, 0, [](Box& b, std::uint8_t, OpArgs a) {
        b.socket().writeVppLatchA(a[0]);
    }));
    t.add(op::WriteVppLatchB, OpcodeSpec::make("write Vpp latch B", 1, 0, [](Box& b, std::uint8_t, OpArgs a) {
        b.socket().writeVppLatchB(a[0]);
    }));
    t.add(op::WriteVccLatchA, OpcodeSpec::make("write Vcc latch A", 1, 0, [](Box& b, std::uint8_t, OpArgs a) {
        b.socket().writeVccLatchA(a[0]);
    }));
    t.add(op::WriteVccGndLatch, OpcodeSpec::make("write Vcc/ground latch", 1, 0, [](Box& b, std::uint8_t, OpArgs a) {
        b.socket().writeVccGndLatch(a[0]);
    }));
    // A delay tick lasts its own character time on the line and nothing more.
    t.add(op::DelayTick, OpcodeSpec::make("delay tick", 0, 0, [](Box&, std::uint8_t, OpArgs) {}));
    // Pin 0 (opcodes 31 and 79) reaches no pin; setPinOutput ignores it.
    t.addRange(op::PinHighBase, op::PinHighBase + pin::Count,
               OpcodeSpec::make("pin high", 0, 0, [](Box& b, std::uint8_t o, OpArgs) {
                   b.socket().setPinOutput(o - op::PinHighBase, true);
               }));
    t.addRange(op::PinLowBase, op::PinLowBase + pin::Count,
               OpcodeSpec::make("pin low", 0, 0, [](Box& b, std::uint8_t o, OpArgs) {
                   b.socket().setPinOutput(o - op::PinLowBase, false);
               }));
}

} // namespace quarvin::sim
