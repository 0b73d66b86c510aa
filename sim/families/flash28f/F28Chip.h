#pragma once
// 28F bulk-erase flash memories at pin level, in the 32-pin EPROM pinout with
// Vpp on pin 1. Two command sets:
// - erase verify (28F256A .. 28F020): the command register works only with
//   12 V on Vpp; 00 read, 90 codes, 20+20 erase (another second byte cancels
//   it), A0 erase verify, 40 + data program, C0 program verify, FF+FF reset.
//   An erase or program pulse runs from the rising /WE of its start until the
//   next write's: erasing needs 0.5 s in all (then every cell reads 0xFF), a
//   byte needs 10 us of pulses (which only clear bits).
// - status register (28F004BX, 28F008SA): 40/10 + data program, 20+D0 block
//   erase, 70 status, 50 clear status, 90 codes, FF read array; the write state
//   machine times itself, reads give the status after a command; a program or
//   erase without 12 V on Vpp fails with the Vpp bit. C0 and A0 are not commands
//   of these parts, and 20 followed by anything but D0 is a sequence error.
// Both give their codes with 12 V on A9. Parts bigger than 256 KiB have no pin
// for A18 (pin 1 is Vpp): their upper part shows the lower 256 KiB again.
#include <cstdint>
#include <string>
#include <vector>

#include "families/flash28f/F28Rows.h"
#include "sim/Chip.h"

namespace quarvin::sim {

// How the status-register parts divide their cells for the block erase.
enum class F28Blocks { Uniform64K, TopBoot, BottomBoot };

struct F28Type {
    const char* name;
    int cellBits; // cells = 1 << cellBits
    F28CommandSet commandSet;
    std::uint8_t manufacturer;
    std::uint8_t device;
    F28Blocks blocks = F28Blocks::Uniform64K;
};

const F28Type* FindF28Type(const std::string& name);

class F28Chip : public Chip {
public:
    explicit F28Chip(const F28Type& type);

    int pinCount() const override { return 32; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    void erase() override;
    std::vector<std::uint8_t> extraState() const override;
    bool loadExtraState(const std::vector<std::uint8_t>& state) override;

    const F28Type& type() const { return type_; }
    // Cells the socket reaches (A0..A17 at most).
    std::uint32_t reachable() const;

    static constexpr int HighVoltageMillivolts = 11400; // Vpp for commands, A9 for the codes
    static constexpr std::int64_t ErasePs = 500'000'000'000LL;  // 0.5 s of erase pulses in all
    static constexpr std::int64_t ProgramPs = 10'000'000;       // 10 us of program pulses
    static constexpr std::int64_t AutoProgramPs = 9'000'000;    // status-register parts
    static constexpr std::int64_t BlockErasePs = 1'600'000'000'000LL;

private:
    enum class Mode { Read, Codes, EraseSetup, Erasing, EraseVerify, ProgramSetup, Programming, ProgramVerify, Status };

    std::uint32_t address(const ChipView& v) const;
    std::uint8_t output(const ChipView& v, std::uint32_t a);
    bool locked(std::uint32_t a) const;
    std::int64_t scaled(std::int64_t ps) const;
    void endPulse(std::int64_t nowPs);
    void writeEraseVerifySet(std::uint32_t a, std::uint8_t d, const ChipView& v);
    void writeStatusSet(std::uint32_t a, std::uint8_t d, const ChipView& v);
    void finishBusy();
    std::pair<std::uint32_t, std::uint32_t> blockOf(std::uint32_t a) const;

    const F28Type& type_;
    std::vector<std::uint8_t> cells_;
    Mode mode_ = Mode::Read;
    bool resetArmed_ = false;
    // Erase-verify set: the pulse under way and the time already given.
    std::int64_t pulseStartPs_ = 0;
    std::uint32_t programAddress_ = 0, verifyAddress_ = 0;
    std::uint8_t programData_ = 0xFF;
    std::int64_t programDonePs_ = 0, eraseDonePs_ = 0;
    // Status-register set: status bits 5..3 and the self-timed operation.
    std::uint8_t status_ = 0;
    std::int64_t busyUntilPs_ = -1;
    std::uint32_t busyFirst_ = 0, busyLast_ = 0;
    bool busyErase_ = false;
    bool weLow_ = false;
};

} // namespace quarvin::sim
