#pragma once
// Socket pins of a 40-pin 8051 in the box's socket (chip pin n in socket pin n)
// and the pin levels of its parallel programming modes.
#include <cstdint>

namespace quarvin::p89pin {

constexpr int Rst = 9;
constexpr int A14 = 10;       // P3.0
constexpr int P33 = 13;       // high in the erase and lock modes
constexpr int ReadyBusy = 14; // P3.4
constexpr int P36 = 16;
constexpr int P37 = 17;
constexpr int Xtal2 = 18;
constexpr int Xtal1 = 19;
constexpr int Ground = 20;
constexpr int A13 = 26;       // P2.5
constexpr int P26 = 27;
constexpr int P27 = 28;
constexpr int Psen = 29;
constexpr int AleProg = 30;
constexpr int EaVpp = 31;
constexpr int Vcc = 40;

// Box output ports: port 0 carries P1 (A0..A7), port 2 bits 3..7 carry
// P2.0..P2.4 (A8..A12) beside pins 17..19 in bits 0..2.
constexpr int LowAddressPort = 0;
constexpr int HighAddressPort = 2;
constexpr std::uint8_t PinsBelowA8 = 0x07;
constexpr int A8Shift = 3;

// SetDataWidth layouts of the data bus P0 (pins 32..39).
constexpr int DataBusIn = 7;
constexpr int DataBusOut = 15;

} // namespace quarvin::p89pin

namespace quarvin {

// Levels of P2.6, P2.7, P3.6, P3.7 in each mode.
struct P89c5xMode {
    bool p26, p27, p36, p37;
};
inline constexpr P89c5xMode kReadCode{false, false, true, true};
inline constexpr P89c5xMode kProgramCode{false, true, true, true};
inline constexpr P89c5xMode kReadSignature{false, false, false, false};
inline constexpr P89c5xMode kChipErase{true, false, false, false};
inline constexpr P89c5xMode kLockBit[3] = {
    {true, true, true, true},
    {true, true, false, false},
    {true, false, true, false},
};

} // namespace quarvin
