#pragma once
// 2816A-class byte-write EEPROMs (2K x 8, 5 V) at pin level: the 24-pin 28C16A
// and the 28-pin 28C17A, which adds an open-drain RDY/BUSY output on its pin 1.
// A byte write latches the address when /WE falls and the data when it rises
// (/CE low, /OE high); the part then clears and writes the byte on its own
// timer for the write cycle, ignores further writes meanwhile, holds RDY/BUSY
// low, and a read during the cycle shows the written byte with I/O7 inverted
// (DATA polling). No software data protection, no page latch.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"

namespace quarvin::sim {

struct P2816Pinout {
    int pins; // 24 or 28
    int vcc, ground, chipEnable, outputEnable, writeEnable;
    int readyBusy; // 0: the package has none
    int address[11]; // A0..A10
    int data[8];     // I/O0..I/O7
};

struct P2816Type {
    const char* name;
    const P2816Pinout* pinout;
    bool ratingsOfOwnSheet; // false: the maximum ratings come from a sibling's sheet
};

const P2816Type* FindP2816Type(const std::string& name);

class P2816Chip : public Chip {
public:
    explicit P2816Chip(const P2816Type& type);

    int pinCount() const override { return type_.pinout->pins; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return cells_; }

    bool busy() const { return busy_; }

    // Microchip 28C16A (DS11125G) and 28C17A (DS11127G), "Features": "Fast
    // Byte Write Time - 200 us or 1 ms". The model writes in the longer time,
    // which every grade meets.
    static constexpr std::int64_t WriteCyclePs = 1'000'000'000; // 1 ms

private:
    std::uint32_t addressOn(const ChipView& v) const;
    std::uint8_t dataOn(const ChipView& v) const;

    const P2816Type& type_;
    std::vector<std::uint8_t> cells_;
    bool lastWriteEnable_ = true;
    bool busy_ = false;
    std::int64_t busyUntil_ = 0;
    std::uint32_t latchedAddress_ = 0;
    std::uint8_t written_ = 0;
};

} // namespace quarvin::sim
