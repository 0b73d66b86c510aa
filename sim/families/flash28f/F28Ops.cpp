#include "sim/families/flash28f/F28Ops.h"

#include "link/commands/BoxTimes.h"
#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/ops/JedecBus.h"
#include "sim/ops/PulseCount.h"
#include "sim/ops/SocketBus.h"

namespace quarvin::sim {

namespace {

using namespace pin::eprom;

constexpr std::uint8_t kProgramSetup = 0x40, kProgramVerify = 0xC0;
constexpr double kProgramPulseUs = boxtime::F28ProgramPulseMicroseconds;
constexpr double kVerifySettleUs = boxtime::F28VerifySettleMicroseconds;

// The socket as the host left it, to hand back after the opcode's own steps.
struct SavedSocket {
    std::array<std::uint8_t, 5> ports{};
    std::uint8_t dataDirection = 0xFF;

    explicit SavedSocket(Box& box, SocketBus& bus) {
        for (int n = 0; n < 5; ++n) ports[static_cast<std::size_t>(n)] = bus.port(n);
        dataDirection = box.socket().registers().direction[3];
    }
    void restore(SocketBus& bus) const {
        bus.setPorts(ports);
        bus.releaseDataBus(dataDirection);
    }
};

// A write with /OE high: data on the bus, /CE low, /WE pulsed, /CE high.
void writeAtCurrentAddress(SocketBus& bus, std::uint8_t value) {
    bus.setPin(OutputEnable, true);
    WriteCycle(bus, ProgramEnable, value);
}

void twoWrites(Box& box, std::uint8_t a, std::uint8_t b) {
    SocketBus bus(box);
    const SavedSocket saved(box, bus);
    writeAtCurrentAddress(bus, a);
    writeAtCurrentAddress(bus, b);
    saved.restore(bus);
}

void programByte(Box& box, std::uint8_t data) {
    SocketBus bus(box);
    const SavedSocket saved(box, bus);
    const int rounds = std::max<int>(1, box.state<PulseCountState>().count);
    std::uint8_t back = 0;
    for (int round = 0; round < rounds; ++round) {
        writeAtCurrentAddress(bus, kProgramSetup);
        writeAtCurrentAddress(bus, data);
        bus.waitMicroseconds(kProgramPulseUs);
        writeAtCurrentAddress(bus, kProgramVerify);
        bus.waitMicroseconds(kVerifySettleUs);
        bus.releaseDataBus(0xFF);
        bus.setPin(ChipEnable, false);
        bus.setPin(OutputEnable, false);
        back = bus.readDataBus();
        bus.setPin(ChipEnable, true);
        if (back == data) break;
    }
    saved.restore(bus);
    bus.advanceLowAddress();
    box.reply(back);
}

} // namespace

void installF28Ops(OpcodeTable& t) {
    installPulseCountOp(t);
    t.add(op::DeviceCommand, OpcodeSpec::make("two device writes", 2, 0, [](Box& box, std::uint8_t, OpArgs a) {
              twoWrites(box, a[0], a[1]);
          }));
    t.add(op::Program28F, OpcodeSpec::make("program 28F byte", 1, 1, [](Box& box, std::uint8_t, OpArgs a) {
              programByte(box, a[0]);
          }));
}

} // namespace quarvin::sim
