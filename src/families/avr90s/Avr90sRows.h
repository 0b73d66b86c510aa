#pragma once
// The sub-type rows of the AT90S parallel programming family, shared by the
// dialog and the virtual box: the programming voltage on RESET, the Vcc pin,
// the socket pins of the programming signals and how the data port is read.
// The 20-pin parts sit with their pin 1 in socket pin 11 (data port PB0..PB7 on
// socket pins 22..29); the 40-pin parts fill the socket (data port on 1..8).
#include <array>
#include <cstdint>

namespace quarvin {

// How a row reads its data port (the SetDataWidth layout, and the read itself).
namespace avrbus {
// Pins 22..29 released and read with the serial-MCU opcodes 165/166.
constexpr std::uint8_t SerialPins = 9;
// Pins 1..8 through output and input port 0 (no SetDataWidth layout of its own).
constexpr std::uint8_t Port0 = 14;
// Every data pin candidate driven: how commands, addresses and data go out.
constexpr std::uint8_t DriveAll = 15;
} // namespace avrbus

struct Avr90sRow {
    const char* name;
    std::uint32_t vppMillivolts;
    std::int8_t vppPin;
    std::int8_t vccPin;
    std::uint32_t lastByteAddress; // flash word w at buffer bytes 2w (low) and 2w+1 (high)
    std::uint8_t reset;
    std::uint8_t rdyBsy;
    std::uint8_t oe;
    std::uint8_t wr;
    std::uint8_t bs;
    std::uint8_t xa0;
    std::uint8_t xa1;
    std::uint8_t xtal1;
    std::uint8_t readBusMode;
    std::uint8_t deviceCode; // the signature's second byte (after the maker's 0x1E)
    const char* chip;        // nullptr for the placeholder
};

inline constexpr std::array<Avr90sRow, 5> kAvr90sRows = {{
    {"Exit", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr},
    {"1: AT90S1200", 12000, 11, 30, 1023, 11, 13, 16, 17, 18, 19, 21, 15, avrbus::SerialPins, 0x90, "AT90S1200"},
    {"2: AT90S2312", 12000, 11, 30, 2047, 11, 13, 16, 17, 18, 19, 21, 15, avrbus::SerialPins, 0x91, "AT90S2313"},
    {"2: AT90S4414", 12000, 9, 40, 4095, 9, 11, 12, 13, 14, 15, 16, 19, avrbus::Port0, 0x92, "AT90S4414"},
    {"2: AT90S8515", 12000, 9, 40, 8191, 9, 11, 12, 13, 14, 15, 16, 19, avrbus::Port0, 0x93, "AT90S8515"},
}};

// Command bytes of the parallel programming mode, loaded with XA1/XA0 = 10.
namespace avrcmd {
constexpr std::uint8_t ChipErase = 0x80;
constexpr std::uint8_t WriteFuses = 0x40;
constexpr std::uint8_t WriteLocks = 0x20;
constexpr std::uint8_t WriteFlash = 0x10;
constexpr std::uint8_t WriteEeprom = 0x11;
constexpr std::uint8_t ReadSignature = 0x08;
constexpr std::uint8_t ReadFusesAndLocks = 0x04;
constexpr std::uint8_t ReadFlash = 0x02;
constexpr std::uint8_t ReadEeprom = 0x03;
} // namespace avrcmd

// The fuse and lock byte as command 0x04 reads it (with BS high); a 0 bit is
// programmed.
namespace avrfuse {
constexpr std::uint8_t LockBit1 = 0x80;
constexpr std::uint8_t LockBit2 = 0x40;
constexpr std::uint8_t Spien = 0x20;     // serial (on-line) loading enabled
constexpr std::uint8_t ClockFuse = 0x01; // RCEN on the 1200, FSTRT on the others
} // namespace avrfuse

// The data byte of a lock write: a 0 bit programs the lock bit.
namespace avrlock {
constexpr std::uint8_t LockBit1 = 0x02;
constexpr std::uint8_t LockBit2 = 0x04;
} // namespace avrlock

inline constexpr std::uint8_t kAvrMakerCode = 0x1E;

} // namespace quarvin
