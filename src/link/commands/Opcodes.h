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

} // namespace quarvin::pin
