#pragma once
// Three-wire (Microwire) serial EEPROMs, 93C46 to 93C86, at bus level. With CS
// high, a rising SK edge with DI high is the start bit; ORG is sampled then
// (high = x16 words, low = x8 bytes). Then two opcode bits and the address
// bits (the 93C56's top bit is ignored), and for WRITE and WRAL the data bits.
// READ drives a dummy 0 on DO after the last address bit, then one data bit
// per rising edge, most significant first, running on to the next location.
// Writes and erases need EWEN, which power-up and EWDS clear; the self-timed
// cycle starts when CS falls after a complete instruction, and while it runs
// the part ignores instructions and shows busy (DO low) whenever CS is high.
// Cells are kept in x8 order: x16 word w is bytes 2w (low) and 2w+1 (high).
// Pinout: 1 CS, 2 SK, 3 DI, 4 DO, 5 GND, 6 ORG, 7 NC, 8 VCC.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"

namespace quarvin::sim {

struct MicrowireType {
    const char* name;
    std::uint32_t size;        // bytes
    int x8AddressBits;         // address bits of an x8 instruction
    int x16AddressBits;
    std::int64_t writeCycleUs; // WRITE and ERASE
    std::int64_t bulkCycleUs;  // ERAL and WRAL
};

const std::vector<MicrowireType>& MicrowireTypes();
const MicrowireType* FindMicrowireType(const std::string& name);

class MicrowireChip : public Chip {
public:
    static constexpr int kChipSelect = 1, kClock = 2, kDataIn = 3, kDataOut = 4, kGround = 5, kOrganisation = 6,
                         kVcc = 8;
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;

    explicit MicrowireChip(const MicrowireType& type);

    int pinCount() const override { return 8; }
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    void erase() override;

    bool writeEnabled() const { return writeEnabled_; }
    bool busy(std::int64_t nowPs) const;

private:
    enum class Phase { WaitStart, Opcode, Address, Data, ReadOut, Done };
    enum class Pending { None, Write, Erase, EraseAll, WriteAll };
    // A complete write or erase instruction waits for CS to fall; the cycle
    // then carries it out.
    struct Job {
        Pending what = Pending::None;
        std::uint32_t address = 0;
        std::uint16_t data = 0;
        bool wide = false;
    };

    void powerUp();
    void risingClock(bool dataIn, bool organisation);
    void instructionComplete();
    void finishCycle();
    std::uint16_t readLocation(std::uint32_t a) const;
    void writeLocation(const Job& job, std::uint32_t a, std::uint16_t v);
    int addressBits() const { return wide_ ? type_.x16AddressBits : type_.x8AddressBits; }
    int dataBits() const { return wide_ ? 16 : 8; }
    std::uint32_t locations() const { return wide_ ? type_.size / 2 : type_.size; }

    const MicrowireType& type_;
    std::vector<std::uint8_t> cells_;

    bool powered_ = false;
    bool lastClock_ = false, lastSelect_ = false;
    bool writeEnabled_ = false;
    bool wide_ = false;
    Phase phase_ = Phase::WaitStart;
    int bitsIn_ = 0;
    std::uint32_t opcode_ = 0, address_ = 0, data_ = 0;
    bool dataOutLow_ = false;   // DO driven low (else released or driven high)
    bool dataOutDriven_ = false;
    int readBit_ = 0;           // next data bit to show, counting down
    bool showStatus_ = false;   // CS high after a cycle started: DO shows ready/busy

    Job queued_, cycle_;
    std::uint32_t readAddress_ = 0;
    bool cycleRunning_ = false, cycleNeverEnds_ = false;
    std::int64_t cycleEndsPs_ = 0;
    std::int64_t nowPs_ = 0;
};

} // namespace quarvin::sim
