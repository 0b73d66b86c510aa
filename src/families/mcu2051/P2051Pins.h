#pragma once
// Socket pins of a 20-pin 8051 sitting bottom-aligned (chip pin k in socket pin
// k + 10 on the left side) and the levels of its programming modes.
#include <cstdint>

namespace quarvin::p2051pin {

constexpr int RstVpp = 11;
constexpr int ReadyBusy = 13; // P3.1, high = ready
constexpr int Xtal2 = 14;
constexpr int Xtal1 = 15;     // the address counter's clock
constexpr int Prog = 16;      // P3.2, active low
constexpr int P33 = 17;
constexpr int P34 = 18;
constexpr int P35 = 19;
constexpr int Ground = 20;
constexpr int P37 = 21;
constexpr int Vcc = 30;

// SetDataWidth layouts: P1 (pins 22..29) read, or every data candidate driven.
constexpr int DataBusIn = 9;
constexpr int DataBusOut = 15;

// Output ports 1..3 as the lock writes set them: port 2 carries the mode pins
// 17, 18, 19, 21 in its bits 0..3.
constexpr int ModePort = 2;
constexpr std::uint8_t LockBit1ModePort = 0xFF;
constexpr std::uint8_t LockBit2ModePort = 0xF3;

// Input ports of the data pins: P1.0..P1.3 in bits 4..7 of port 2, P1.4..P1.7
// in bits 0..3 of port 3.
constexpr int LowNibblePort = 2;
constexpr int HighNibblePort = 3;

} // namespace quarvin::p2051pin

namespace quarvin {

// Levels of P3.3, P3.4, P3.5, P3.7.
struct P2051Mode {
    bool p33, p34, p35, p37;
};
inline constexpr P2051Mode kP2051ReadCode{false, false, true, true};
inline constexpr P2051Mode kP2051WriteCode{false, true, true, true};
inline constexpr P2051Mode kP2051ChipErase{true, false, false, false};
inline constexpr P2051Mode kP2051ReadSignature{false, false, false, false};

} // namespace quarvin
