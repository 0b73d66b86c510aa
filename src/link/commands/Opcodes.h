#pragma once
// The box's command bytes, register numbers and socket pin groups, in one place.
#include <cstdint>

namespace quarvin::op {

// Command bytes. n = register or port number, p = socket pin.
constexpr std::uint8_t PowerOff = 0;           // last byte of PowerDown
constexpr std::uint8_t ReadPortBase = 1;       // 1+n, n = 0..4: read input port n, 1 reply
constexpr std::uint8_t ReadStatus = 7;         // status byte: bit 7 pin 20, bit 6 pin 40
constexpr std::uint8_t WriteDirectionBase = 8; // 8+n, v
constexpr std::uint8_t WriteControlBase = 13;  // 13+n, v (n = 0, 1)
constexpr std::uint8_t Identify = 15;          // 9 reply bytes
constexpr std::uint8_t WritePortBase = 16;     // 16+n, v
constexpr std::uint8_t WriteMode = 22;         // v
constexpr std::uint8_t WriteVppLatchA = 24;    // v
constexpr std::uint8_t WriteVppLatchB = 25;    // v
constexpr std::uint8_t WriteVccLatchA = 26;    // v
constexpr std::uint8_t WriteVccGndLatch = 27;  // v
constexpr std::uint8_t DelayTick = 30;         // one character time
constexpr std::uint8_t PinHighBase = 31;       // 31+p
constexpr std::uint8_t PinLowBase = 79;        // 79+p
constexpr std::uint8_t ReadNext = 128;         // 1 reply; advances the address
constexpr std::uint8_t BlankPage = 129;        // 2 replies; second 0 = not blank
constexpr std::uint8_t SumPage = 130;          // 2 replies, low then high
constexpr std::uint8_t BlockLength = 131;      // v (256 sent as 0)
constexpr std::uint8_t PulseCount = 132;       // v
constexpr std::uint8_t DeviceCommand = 133;    // a, b
constexpr std::uint8_t BusMode = 135;          // v
constexpr std::uint8_t BlockWrite = 136;       // then the block
constexpr std::uint8_t Program28F = 137;       // v, 1 reply
constexpr std::uint8_t JedecCmd2AAA = 138;     // v
constexpr std::uint8_t JedecCmd5555 = 139;     // v
constexpr std::uint8_t ProgramFirst = 140;     // 140..144: program with pulses, 1 reply
constexpr std::uint8_t ProgramLast = 144;
constexpr std::uint8_t ProgramFlash = 145;     // v, 1 reply (not examined)
constexpr std::uint8_t BlockWrite2 = 146;      // then the block
constexpr std::uint8_t AdvanceAddress = 147;
constexpr std::uint8_t SixByteBlockWrite = 148; // v, then the block: AA 55 80 AA 55 v, then the loads
constexpr std::uint8_t ReadData = 160;         // 1 reply
constexpr std::uint8_t WriteData = 161;        // v
constexpr std::uint8_t SerialRead = 165;       // 1 reply
constexpr std::uint8_t SerialWrite = 166;      // v
constexpr std::uint8_t ReadAfterWrite = 167;   // 1 reply
constexpr std::uint8_t PicCommand = 168;       // v
constexpr std::uint8_t PicReadWord = 169;      // v, 2 replies low, high
constexpr std::uint8_t PicWriteWord = 170;     // v, low, high
constexpr std::uint8_t Em78WriteWord = 171;    // low, high
constexpr std::uint8_t Em78ReadWord = 172;     // 2 replies high, low
constexpr std::uint8_t Em78WriteModifier = 173;
constexpr std::uint8_t Em78ReadModifier = 174;
constexpr std::uint8_t I2cCommand = 176;       // v
constexpr std::uint8_t Lpc87Write = 177;       // v
constexpr std::uint8_t Lpc87Read = 178;        // 1 reply
constexpr std::uint8_t StrobeLow = 179;        // p: socket pin p low for 0.5 us, then high

// Register numbers.
constexpr int DirectionRegisterCount = 5;
constexpr int ControlRegisterCount = 2;
constexpr int PortCount = 5;

} // namespace quarvin::op

namespace quarvin::pin {

constexpr int Count = 40;
constexpr int Ground = 20;   // read through the status byte, bit 7
constexpr int Top = 40;      // read through the status byte, bit 6
constexpr std::uint8_t StatusPin20 = 0x80;
constexpr std::uint8_t StatusPin40 = 0x40;

// Index of a logic pin on the output/input ports (pins 1..19 and 21..39), -1 for
// pins 20, 40 and anything outside 1..40. Port n holds indexes 8n..8n+7.
constexpr int portIndex(int p) {
    if (p >= 1 && p <= 19) return p - 1;
    if (p >= 21 && p <= 39) return p - 2;
    return -1;
}

// Switch latches: the socket pin behind each bit, bit 0 first (0 = no pin).
constexpr int VppLatchAPins[8] = {1, 5, 7, 9, 10, 11, 12, 15};
constexpr int VppLatchBPins[6] = {20, 28, 29, 30, 31, 34};     // connecting
constexpr int VppLatchBReleasePins[6] = {21, 28, 29, 30, 31, 34}; // releasing: bit 0 by pin 21
constexpr std::uint8_t VppLatchBSwitchMask = 0x3F; // bits 0..5 switch Vpp; 6 kept; 7 Vcc level
constexpr std::uint8_t VppLatchBNormalVcc = 0x80;
constexpr int VccLatchAPins[8] = {8, 17, 25, 27, 28, 30, 32, 34}; // bit clear = Vcc on
constexpr int VccGndLatchVccPins[3] = {36, 40, 26};               // bits 0..2, clear = Vcc on
constexpr std::uint8_t VccGndLatchVccMask = 0x07;
constexpr int VccGndLatchGroundPins[5] = {25, 10, 16, 20, 31};    // bits 3..7, set = grounded
constexpr int VccGndLatchGroundShift = 3;

// Clock outputs.
constexpr int ClockPinMode1 = 19;
constexpr int ClockPinMode2 = 15;

// The pin looped back by the link test.
constexpr int LoopTest = 1;

} // namespace quarvin::pin

namespace quarvin::reg {

// Control register 1 and the mode register share their bit fields.
constexpr std::uint8_t Control1VppCodeMask = 0x0F; // Vpp code, inverted
constexpr std::uint8_t Control1ClockMask = 0x70;   // cleared by the clock mode
constexpr std::uint8_t Control1Pin40 = 0x40;
constexpr std::uint8_t Control1Pin20 = 0x80;
constexpr std::uint8_t ModeVppMask = 0x0F;
constexpr std::uint8_t ModeClockMask = 0x70;       // clock mode, inverted
constexpr int ModeClockShift = 4;
constexpr std::uint8_t Direction2Unused = 0xC0;    // sent as 1 by SetPinLatch

// Data bus layouts for SetDataWidth.
constexpr int Width12 = 12;
constexpr int Width9 = 9;
constexpr int Width7 = 7;
constexpr int Width15 = 15;

// Bus modes for SetBusMode.
constexpr std::uint8_t Bus28Pin = 0x40;
constexpr std::uint8_t Bus32Pin = 0x80;
// 32-pin address wiring on a 28-pin part whose /WE is its pin 1 (socket pin 7).
constexpr std::uint8_t Bus28PinWeOnPin1 = 0x20;

// Clock mode that SetBusMode selects for block writes.
constexpr int ClockModeBus = 4;

// Vcc level argument that selects raised Vcc.
constexpr int VccRaised = 6;

} // namespace quarvin::reg

namespace quarvin::tick {

// Settling delays, in delay ticks (one character time each).
constexpr int VppLatch = 3;
constexpr int StatusRead = 3;
constexpr int VccLatch = 10;
constexpr int ClockMode = 10;
constexpr int VccLevel = 500;
constexpr int DeviceCheck = 100;
constexpr int GroundProbe = 50;

} // namespace quarvin::tick

namespace quarvin::pin::eprom {

// Parallel memories sit bottom-aligned, so these land on the same socket pins for
// every 24-, 28- and 32-pin type.
constexpr int ChipEnable = 26;     // /CE
constexpr int OutputEnable = 28;   // /OE
constexpr int ProgramEnable = 35;  // /PGM of the 32-pin types
constexpr int Pin24Vpp = 29;       // Vpp of the 24-pin 2716, which programs with /CE
constexpr int Supply28 = 34;       // Vcc of the 28-pin types; selects their address encoding
constexpr int DataPort = 2;        // D0..D7 on socket pins 17..19, 21..25
constexpr int LowAddressPort = 1;  // A0..A7 on socket pins 16 down to 9

} // namespace quarvin::pin::eprom
