#pragma once
// Socket pins of an AT89S5x in the box's socket (chip pin n in socket pin n,
// 40-pin DIP pinout of the data sheets) and the levels of P2.6, P2.7, P3.3,
// P3.6 and P3.7 in each parallel mode ("Flash Programming Modes" table of the
// AT89S51 and AT89S52 data sheets).
#include <cstdint>

namespace quarvin::p89spin {

constexpr int Rst = 9;
constexpr int ReadyBusy = 10; // P3.0: RDY/BSY output while programming (note 4 of the modes table)
constexpr int P33 = 13;
constexpr int P36 = 16;
constexpr int P37 = 17;
constexpr int Xtal2 = 18;     // the oscillator amplifier's output: never driven
constexpr int Xtal1 = 19;
constexpr int Ground = 20;
constexpr int P26 = 27;
constexpr int P27 = 28;
constexpr int Psen = 29;
constexpr int AleProg = 30;
constexpr int EaVpp = 31;
constexpr int Vcc = 40;
constexpr int DataFirst = 32; // P0.7 on pin 32 .. P0.0 on pin 39
constexpr int DataLast = 39;

// Box output ports: port 0 carries P1 (A0..A7); port 2 carries P2.0..P2.4
// (A8..A12) in bits 3..7 beside pins 17..19 in bits 0..2, of which bit 0 is P3.7.
constexpr int LowAddressPort = 0;
constexpr int HighAddressPort = 2;
constexpr std::uint8_t P37Bit = 0x01;
constexpr int A8Shift = 3;
constexpr std::uint32_t HighAddressMask = 0x1F;

} // namespace quarvin::p89spin

namespace quarvin {

struct P89s5xMode {
    bool p26, p27, p33, p36, p37;
};
inline constexpr P89s5xMode kS5xWriteCode{false, true, true, true, true};
inline constexpr P89s5xMode kS5xReadCode{false, false, false, true, true};
inline constexpr P89s5xMode kS5xReadSignature{false, false, false, false, false};
inline constexpr P89s5xMode kS5xChipErase{true, false, true, false, false};
inline constexpr P89s5xMode kS5xLockBit[3] = {
    {true, true, true, true, true},   // write lock bit 1
    {true, true, true, false, false}, // write lock bit 2
    {true, false, true, true, false}, // write lock bit 3
};

} // namespace quarvin
