// The parallel EPROM opcodes, run as the pin sequences they stand for: page blank
// check and sum read 256 bytes through the data bus, and each program variant
// puts the byte on the bus, gives the set number of pulses on the pin its types
// program with, reads the byte back and advances the low address byte.
#include "sim/families/uv_eprom/EpromOps.h"

#include "families/uv_eprom/EpromPulses.h"
#include "link/commands/BoxTimes.h"
#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/ops/PulseCount.h"
#include "sim/ops/SocketBus.h"

namespace quarvin::sim {

namespace {

using namespace pin::eprom;

constexpr int kPageSize = 256;
constexpr int kPgm28Pin = 33; // /PGM of the 2764 and 27128 (their A14 line)
constexpr std::uint8_t kVppLatchBPin28 = 0x02;
constexpr double kReadAccessUs = 1.0;
constexpr std::uint8_t kChipEnableBit = 0x01; // pin 26 on output port 3

// One program variant: the pin that takes the pulse, its active level, and the
// levels /CE and /OE hold meanwhile (-1: left alone).
struct ProgramVariant {
    EpromProgramCommand command;
    int strobePin;
    bool strobeActiveHigh;
    int chipEnableLevel;
    int outputEnableLevel;
    double pulseUs() const { return ProgramPulseMicroseconds(command); }
};

constexpr ProgramVariant kVariants[] = {
    // 32-pin types with /PGM: pulse /PGM low, /CE low, /OE high.
    {EpromProgramCommand::ProgramPinLow, ProgramEnable, false, 0, 1},
    // Types whose /OE doubles as Vpp (2732, 27C512, 27C080): pulse /CE low.
    {EpromProgramCommand::ChipEnableLowOeVpp, ChipEnable, false, -1, -1},
    // 2764 and 27128: pulse /PGM (socket pin 33) low, /CE low, /OE high.
    {EpromProgramCommand::ProgramPinLow28, kPgm28Pin, false, 0, 1},
    // 27C256 and 27C040: pulse /CE low with /OE high.
    {EpromProgramCommand::ChipEnableLow, ChipEnable, false, -1, 1},
    // 2716: pulse /CE-PGM high with /OE high.
    {EpromProgramCommand::ChipEnableHigh, ChipEnable, true, 0, 1},
};

const ProgramVariant* variantOf(EpromProgramCommand command) {
    for (const auto& v : kVariants)
        if (v.command == command) return &v;
    return nullptr;
}

void programByte(Box& box, EpromProgramCommand command, std::uint8_t data) {
    const ProgramVariant* v = variantOf(command);
    SocketBus bus(box);
    const std::uint8_t port2 = bus.port(DataPort);
    const std::uint8_t port3 = bus.port(3);
    const std::uint8_t port4 = bus.port(4);
    const std::uint8_t vppB = box.socket().registers().vppB;

    const std::uint8_t direction = bus.driveDataBus(data);
    bus.setPin(v->strobePin, !v->strobeActiveHigh);
    if (v->chipEnableLevel >= 0) bus.setPin(ChipEnable, v->chipEnableLevel != 0);
    if (v->outputEnableLevel >= 0) bus.setPin(OutputEnable, v->outputEnableLevel != 0);
    // The /CE variant for types whose /OE doubles as Vpp: where Vpp sits on
    // another pin (pin 1 of a 28-pin part) /OE is raised for the pulse instead.
    if (command == EpromProgramCommand::ChipEnableLowOeVpp && !(vppB & kVppLatchBPin28))
        bus.setPin(OutputEnable, true);
    const int pulses = box.state<PulseCountState>().count;
    for (int i = 0; i < pulses; ++i) bus.pulsePin(v->strobePin, v->strobeActiveHigh, v->pulseUs());

    // Read back with the outputs enabled; where /OE carries Vpp it is switched
    // off the pin for the read.
    bus.releaseDataBus(0xFF);
    if (vppB & kVppLatchBPin28) {
        box.socket().writeVppLatchB(static_cast<std::uint8_t>(vppB & ~kVppLatchBPin28));
        box.refresh();
    }
    bus.setPin(ChipEnable, false);
    bus.setPin(OutputEnable, false);
    bus.waitMicroseconds(kReadAccessUs);
    const std::uint8_t back = bus.readDataBus();

    // Hand the socket back as the host left it, one address further.
    bus.setPort(3, port3);
    bus.setPort(4, port4);
    box.socket().writeVppLatchB(vppB);
    box.refresh();
    bus.setPort(DataPort, port2);
    bus.releaseDataBus(direction);
    bus.advanceLowAddress();
    box.reply(back);
}

// Reads the byte at the current address: the address image keeps /CE high, so
// the box pulls /CE low for the read and lets it go again.
std::uint8_t strobedRead(SocketBus& bus) {
    const bool chipEnable = (bus.port(3) & kChipEnableBit) != 0;
    bus.setPin(ChipEnable, false);
    const std::uint8_t v = bus.readDataBus();
    bus.setPin(ChipEnable, chipEnable);
    return v;
}

// Reads the 256 bytes from the current address with /CE held low, handing each
// (low address, byte) to `take`; the address ends where it began. The box's own
// loop costs its firmware time per byte.
template <class Take>
void readPage(Box& box, Take take) {
    SocketBus bus(box);
    const bool chipEnable = (bus.port(3) & kChipEnableBit) != 0;
    bus.setPin(ChipEnable, false);
    for (int i = 0; i < kPageSize; ++i) {
        take(bus.lowAddress(), bus.readDataBus());
        bus.advanceLowAddress();
    }
    bus.setPin(ChipEnable, chipEnable);
    box.waitMicroseconds(boxtime::PageLoopMicroseconds);
}


} // namespace

std::int64_t EpromPulseWidthPs(EpromProgramCommand command) {
    const ProgramVariant* v = variantOf(command);
    return v ? static_cast<std::int64_t>(v->pulseUs() * 1e6) : 0;
}

void installEpromOps(OpcodeTable& t) {
    // Replaces the plain read of the address group: the memories only answer
    // while /CE is low.
    t.add(op::ReadNext, OpcodeSpec::make("read next byte", 0, 1, [](Box& box, std::uint8_t, OpArgs) {
              SocketBus bus(box);
              box.reply(strobedRead(bus));
              bus.advanceLowAddress();
          }));
    t.add(op::BlankPage, OpcodeSpec::make("blank check page", 0, 2, [](Box& box, std::uint8_t, OpArgs) {
              int firstUsed = -1;
              readPage(box, [&](std::uint8_t low, std::uint8_t v) {
                  if (v != 0xFF && firstUsed < 0) firstUsed = low;
              });
              // First byte: low address of the first used cell; second: 0 = not blank.
              box.reply(static_cast<std::uint8_t>(firstUsed < 0 ? 0 : firstUsed));
              box.reply(firstUsed < 0 ? 1 : 0);
          }));
    t.add(op::SumPage, OpcodeSpec::make("sum page", 0, 2, [](Box& box, std::uint8_t, OpArgs) {
              std::uint16_t sum = 0;
              readPage(box, [&](std::uint8_t, std::uint8_t v) { sum = static_cast<std::uint16_t>(sum + v); });
              box.reply(static_cast<std::uint8_t>(sum & 0xFF));
              box.reply(static_cast<std::uint8_t>(sum >> 8));
          }));
    installPulseCountOp(t);
    for (const auto& v : kVariants)
        t.add(static_cast<std::uint8_t>(v.command), OpcodeSpec::make("program byte", 1, 1, [](Box& box, std::uint8_t o, OpArgs a) {
                  programByte(box, static_cast<EpromProgramCommand>(o), a[0]);
              }));
}

} // namespace quarvin::sim
