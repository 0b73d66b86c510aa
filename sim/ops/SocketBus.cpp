#include "sim/ops/SocketBus.h"

#include "sim/Box.h"

namespace quarvin::sim {

namespace {
constexpr int DataPort = 2;
constexpr int LowAddressPort = 1;
constexpr int DataDirectionRegister = 3;
} // namespace

std::uint8_t reverseBits(std::uint8_t v) {
    std::uint8_t r = 0;
    for (int b = 0; b < 8; ++b)
        if (v >> b & 1) r = static_cast<std::uint8_t>(r | (0x80u >> b));
    return r;
}

std::uint8_t SocketBus::port(int n) const {
    return (n >= 0 && n < 5) ? box_.socket().registers().port[n] : 0;
}

void SocketBus::setPort(int n, std::uint8_t v) {
    box_.socket().writePort(n, v);
    box_.refresh();
}

void SocketBus::setPorts(const std::array<std::uint8_t, 5>& ports) {
    for (int n = 0; n < 5; ++n) box_.socket().writePort(n, ports[n]);
    box_.refresh();
}

std::uint8_t SocketBus::lowAddress() const { return reverseBits(port(LowAddressPort)); }

void SocketBus::setLowAddress(std::uint8_t a) { setPort(LowAddressPort, reverseBits(a)); }

void SocketBus::advanceLowAddress() {
    setLowAddress(static_cast<std::uint8_t>(lowAddress() + 1));
}

void SocketBus::setPin(int p, bool high) {
    box_.socket().setPinOutput(p, high);
    box_.refresh();
}

namespace {

// Where a pin's direction bit lives: control register (pins 1..8, 20, 40) or a
// direction register.
struct DirectionPlace {
    bool control = false;
    int reg = -1;
    int bit = 0;
};

DirectionPlace DirectionPlaceOf(int p) {
    if (p >= 1 && p <= 8) return {true, 0, p - 1};
    if (p == 20) return {true, 1, 7};
    if (p == 40) return {true, 1, 6};
    if (p >= 9 && p <= 16) return {false, 1, p - 9};
    if (p >= 17 && p <= 19) return {false, 3, p - 17};
    if (p >= 21 && p <= 25) return {false, 3, p - 21 + 3};
    if (p >= 26 && p <= 31) return {false, 0, p - 26};
    if (p >= 32 && p <= 33) return {false, 4, p - 32};
    if (p >= 34 && p <= 39) return {false, 2, p - 34};
    return {};
}

} // namespace

bool SocketBus::setPinInput(int p, bool input) {
    const DirectionPlace d = DirectionPlaceOf(p);
    if (d.reg < 0) return false;
    Socket& socket = box_.socket();
    const auto mask = static_cast<std::uint8_t>(1u << d.bit);
    const std::uint8_t old = d.control ? socket.registers().control[static_cast<std::size_t>(d.reg)]
                                       : socket.registers().direction[static_cast<std::size_t>(d.reg)];
    const auto now = static_cast<std::uint8_t>(input ? (old | mask) : (old & ~mask));
    if (now != old) {
        if (d.control) socket.writeControl(d.reg, now);
        else socket.writeDirection(d.reg, now);
        box_.refresh();
    }
    return (old & mask) != 0;
}

bool SocketBus::pin(int p) {
    if (p < 1 || p > 40) return false;
    return box_.socket().pinLevel(p, box_.nowPs());
}

void SocketBus::pulsePin(int p, bool active, double microseconds) {
    setPin(p, active);
    waitMicroseconds(microseconds);
    setPin(p, !active);
}

std::uint8_t SocketBus::readDataBus() { return box_.socket().readInputPort(DataPort, box_.nowPs()); }

std::uint8_t SocketBus::driveDataBus(std::uint8_t v) {
    const std::uint8_t before = box_.socket().registers().direction[DataDirectionRegister];
    box_.socket().writePort(DataPort, v);
    box_.socket().writeDirection(DataDirectionRegister, 0x00);
    box_.refresh();
    return before;
}

void SocketBus::releaseDataBus(std::uint8_t direction) {
    box_.socket().writeDirection(DataDirectionRegister, direction);
    box_.refresh();
}

std::uint8_t SocketBus::readPins32to39() {
    const PinMask lv = box_.socket().levels(box_.nowPs());
    std::uint8_t v = 0;
    for (int p = 32; p <= 39; ++p)
        if (lv & socketBit(p)) v = static_cast<std::uint8_t>(v | (1u << (39 - p)));
    return v;
}

void SocketBus::waitMicroseconds(double us) { box_.waitMicroseconds(us); }

} // namespace quarvin::sim
