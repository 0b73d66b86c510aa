#include "sim/ops/McuDataOps.h"

#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/ops/SocketBus.h"

namespace quarvin::sim {

namespace {

// A byte on eight socket pins: bit b on pin first + b * step.
struct PinByte {
    int first;
    int step;
    int pinOf(int bit) const { return first + bit * step; }
};

constexpr PinByte kPort0Bus{39, -1}; // P0.0 on pin 39 .. P0.7 on pin 32
constexpr PinByte kPort1Bus{22, 1};  // P1.0 on pin 22 .. P1.7 on pin 29

std::uint8_t ReadByte(Box& box, const PinByte& bus) {
    SocketBus pins(box);
    pins.waitMicroseconds(kMcuBusSettleMicroseconds);
    std::uint8_t v = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (pins.pin(bus.pinOf(bit))) v = static_cast<std::uint8_t>(v | (1u << bit));
    return v;
}

void DriveByte(Box& box, const PinByte& bus, std::uint8_t v) {
    for (int bit = 0; bit < 8; ++bit) box.socket().setPinOutput(bus.pinOf(bit), (v >> bit & 1) != 0);
    box.refresh();
    box.waitMicroseconds(kMcuBusSettleMicroseconds);
}

} // namespace

void installMcuDataOps(OpcodeTable& table) {
    table.add(op::ReadData, OpcodeSpec::make("read data bus", 0, 1, [](Box& box, std::uint8_t, OpArgs) {
                  box.reply(ReadByte(box, kPort0Bus));
              }));
    table.add(op::WriteData, OpcodeSpec::make("drive data bus", 1, 0, [](Box& box, std::uint8_t, OpArgs a) {
                  DriveByte(box, kPort0Bus, a[0]);
              }));
    table.add(op::SerialRead, OpcodeSpec::make("read P1 bus", 0, 1, [](Box& box, std::uint8_t, OpArgs) {
                  box.reply(ReadByte(box, kPort1Bus));
              }));
    table.add(op::SerialWrite, OpcodeSpec::make("drive P1 bus", 1, 0, [](Box& box, std::uint8_t, OpArgs a) {
                  DriveByte(box, kPort1Bus, a[0]);
              }));
}

} // namespace quarvin::sim
