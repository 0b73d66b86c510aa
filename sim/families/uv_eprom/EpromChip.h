#pragma once
// UV-erasable EPROMs at pin level: the standard byte-wide pinouts of the 24-, 28-
// and 32-pin packages, reading with /CE and /OE low, programming only with the
// right Vpp on the right pin (a cell only ever loses ones), the two identification
// bytes with 12 V on A9, and erasure by UV light.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"

namespace quarvin::sim {

// How a type takes its program pulse.
enum class EpromStrobe {
    ChipEnableHigh, // /CE-PGM pulsed high, /OE high (2716)
    ChipEnableLow,  // /CE pulsed low; /OE high, or at Vpp where it doubles as Vpp
    ProgramLow,     // /PGM pulsed low with /CE low and /OE high
};

struct EpromType {
    const char* name;
    int pins;                  // 24, 28 or 32
    int addressBits;           // size = 1 << addressBits
    int chipEnable;            // chip pins
    int outputEnable;
    int vpp;                   // equal to outputEnable where /OE doubles as Vpp
    int program;               // /PGM, 0 = none
    EpromStrobe strobe;
    std::uint8_t manufacturer; // identification bytes; both 0: no identification mode
    std::uint8_t device;

    std::uint32_t size() const { return std::uint32_t{1} << addressBits; }
    int vccPin() const { return pins; }
    int groundPin() const { return pins / 2; }
    // Chip pin of address bit b, 0 when the package has none.
    int addressPin(int b) const;
    // Chip pin of data bit b.
    int dataPin(int b) const;
};

// Every type the virtual box knows; names as printed on the parts.
const std::vector<EpromType>& EpromTypes();
const EpromType* FindEpromType(const std::string& name);

class EpromChip : public Chip {
public:
    // vppMillivolts: the programming voltage the part is rated for; label: how
    // the socket window names it.
    EpromChip(const EpromType& type, int vppMillivolts, std::string label = {});

    int pinCount() const override { return type_.pins; }
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return label_; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    int ratedVppMillivolts() const override { return vppMillivolts_; }
    ChipRatings ratings() const override;
    PinMask unpoweredClamps() const override;
    quarvin::Pinout pinLabels() const override;
    // UV light: every cell back to 0xFF.
    void erase() override;

    const EpromType& type() const { return type_; }
    int vppMillivolts() const { return vppMillivolts_; }
    std::vector<std::uint8_t>& cells() { return cells_; }
    const std::vector<std::uint8_t>& cells() const { return cells_; }
    // Program pulses that reached a cell, for tests and the window.
    std::uint64_t pulses() const { return pulses_; }

    // The tolerance around the rated Vpp within which a pulse programs.
    static constexpr int VppToleranceMillivolts = 800;
    // A9 at or above this level selects the identification bytes.
    static constexpr int IdentifyMillivolts = 11500;

private:
    std::uint32_t address(const ChipView& v) const;
    std::uint8_t dataIn(const ChipView& v) const;
    bool vppValid(const ChipView& v) const;
    bool strobeActive(const ChipView& v) const;
    void pulse(std::uint32_t address, std::uint8_t data);

    const EpromType& type_;
    int vppMillivolts_;
    std::string label_;
    std::vector<std::uint8_t> cells_;
    bool strobe_ = false;           // a program pulse is under way
    std::uint32_t weakAddress_ = 0; // cell collecting pulses under the weak-cell fault
    int weakPulses_ = 0;
    std::uint64_t pulses_ = 0;
};

} // namespace quarvin::sim
