#include "sim/ops/JedecBus.h"

#include <array>

#include "link/commands/Opcodes.h"
#include "sim/Box.h"

namespace quarvin::sim {

namespace {
constexpr int kChipEnable = 26, kOutputEnable = 28;
constexpr double kCommandLoadUs = 2.0; // the box's own time for one command load
struct Line {
    int bit, port;
    std::uint8_t mask;
};
constexpr Line kLines32[] = {{8, 3, 0x20},  {9, 3, 0x10},  {10, 3, 0x02}, {11, 3, 0x08},
                             {12, 0, 0x80}, {12, 4, 0x20}, {13, 3, 0x40}, {14, 3, 0x80}};
constexpr Line kA14Pin28[] = {{14, 0, 0x40}, {14, 4, 0x10}};
} // namespace

void SetCommandAddress(SocketBus& bus, std::uint16_t a, bool pin28) {
    std::uint8_t ports[5];
    for (int n = 0; n < 5; ++n) ports[n] = bus.port(n);
    ports[1] = reverseBits(static_cast<std::uint8_t>(a & 0xFF));
    const auto put = [&](const Line& l) {
        const bool set = (a >> l.bit) & 1;
        ports[l.port] = static_cast<std::uint8_t>(set ? ports[l.port] | l.mask : ports[l.port] & ~l.mask);
    };
    for (const Line& l : kLines32)
        if (!(pin28 && l.bit == 14)) put(l);
    if (pin28)
        for (const Line& l : kA14Pin28) put(l);
    for (int n : {1, 3, 0, 4}) bus.setPort(n, ports[n]);
}

void WriteCycle(SocketBus& bus, int writeEnablePin, std::uint8_t data) {
    bus.driveDataBus(data);
    bus.setPin(kChipEnable, false);
    bus.pulsePin(writeEnablePin, false, 0.1);
    bus.setPin(kChipEnable, true);
}

void installBusModeOp(OpcodeTable& t) {
    t.add(op::BusMode, OpcodeSpec::make("bus mode", 1, 0, [](Box& box, std::uint8_t, OpArgs a) {
              box.state<BusModeState>().mode = a[0];
          }));
}

namespace {

void commandLoad(Box& box, std::uint16_t address, std::uint8_t data) {
    SocketBus bus(box);
    const BusModeState mode = box.state<BusModeState>();
    std::array<std::uint8_t, 5> saved{};
    for (int n = 0; n < 5; ++n) saved[static_cast<std::size_t>(n)] = bus.port(n);
    const std::uint8_t direction = box.socket().registers().direction[3];
    bus.setPin(kOutputEnable, true);
    SetCommandAddress(bus, address, mode.pin28());
    WriteCycle(bus, mode.writeEnablePin(), data);
    bus.waitMicroseconds(kCommandLoadUs);
    bus.setPorts(saved);
    bus.releaseDataBus(direction);
}

} // namespace

void installCommandLoadOps(OpcodeTable& t) {
    t.add(op::JedecCmd2AAA, OpcodeSpec::make("command load at 2AAA", 1, 0, [](Box& box, std::uint8_t, OpArgs a) {
              commandLoad(box, 0x2AAA, a[0]);
          }));
    t.add(op::JedecCmd5555, OpcodeSpec::make("command load at 5555", 1, 0, [](Box& box, std::uint8_t, OpArgs a) {
              commandLoad(box, 0x5555, a[0]);
          }));
}

} // namespace quarvin::sim
