#pragma once
// Pin-level steps for the accelerated opcodes: they run as the pin sequences they
// stand for, through the socket, so the chip model sees every edge and the line
// clock every modelled wait. Each step lets the chip see its change at once.
#include <array>
#include <cstdint>

namespace quarvin::sim {

class Box;

class SocketBus {
public:
    explicit SocketBus(Box& box) : box_(box) {}

    // Output ports (the address and data latches).
    std::uint8_t port(int n) const;
    void setPort(int n, std::uint8_t v);
    void setPorts(const std::array<std::uint8_t, 5>& ports);

    // The low address byte on port 1, the memories' A0..A7 with A0 on pin 16
    // (bit 7) down to A7 on pin 9 (bit 0).
    std::uint8_t lowAddress() const;
    void setLowAddress(std::uint8_t a);
    // Adds one to the low address byte (wrapping at 256); the ports above stay.
    void advanceLowAddress();

    // Single pins: level of the box's driver (pins 1..40), resolved level read back.
    void setPin(int p, bool high);
    bool pin(int p);
    // Makes pin p an input (its driver off) or a driven output, as its direction
    // bit in the direction or control register says; returns whether it was an input.
    bool setPinInput(int p, bool input);
    // Drives pin p to `active`, keeps it for the given time, drives it back.
    void pulsePin(int p, bool active, double microseconds);

    // The data bus of the memories: pins 17, 18, 19, 21..25 (port 2), D0 on pin 17.
    std::uint8_t readDataBus();
    // Puts v on the bus with the bus pins driven; returns the previous direction
    // register 3 so that the caller can hand the bus back with releaseDataBus.
    std::uint8_t driveDataBus(std::uint8_t v);
    void releaseDataBus(std::uint8_t direction = 0xFF);

    // The byte on pins 32..39 with its least significant bit on pin 39.
    std::uint8_t readPins32to39();

    void waitMicroseconds(double us);

private:
    Box& box_;
};

// i with its bit order reversed.
std::uint8_t reverseBits(std::uint8_t v);

} // namespace quarvin::sim
