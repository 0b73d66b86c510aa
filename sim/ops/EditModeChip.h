#pragma once
// Logic devices programmed through their serial edit mode. The part is in edit
// mode only while its edit pin (chip pin 2) is at 11.5..16.5 V with Vcc and
// ground on; outside it the data out pin floats and nothing changes. In edit
// mode each rising clock edge shifts the data in pin into the shift register;
// the strobe falling with program/verify select low loads a row, whose bit 0
// shows on data out at once and the next bit after each clock; the strobe held
// low for at least 5 ms with program/verify select high programs the row from
// the bits shifted since the last strobe, the first one bit 0. Cells only go
// from 1 to 0; a bulk erase sets them all to 1 and clears the security cell.
//
// Cells are kept in JEDEC fuse order, one byte 0/1 per fuse, so that faults
// name the JEDEC fuse number ("stuck:FUSE:1:0", "noprogram:FUSE").
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/FuseMapPart.h"

namespace quarvin::sim {

class PinLabels;

struct EditModePins {
    int pins;          // package pins, 20 or 24
    int vcc, ground;
    int clock, dataIn, strobe, dataOut, programSelect;
};

// The edit voltage window on chip pin 2.
inline constexpr int kEditPin = 2;
inline constexpr int kEditMinMillivolts = 11500;
inline constexpr int kEditMaxMillivolts = 16500;

class EditModeChip : public Chip, public FuseMapPart {
public:
    int pinCount() const override { return pins_.pins; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return name_; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    int ratedVppMillivolts() const override { return ratedVpp_; }
    void erase() override;
    std::vector<std::uint8_t> extraState() const override { return {static_cast<std::uint8_t>(secured_ ? 1 : 0)}; }
    bool loadExtraState(const std::vector<std::uint8_t>& state) override;

    bool secured() const override { return secured_; }
    void restoreSecurity(bool secured) override;
    bool inEditMode() const { return editMode_; }
    // Program pulses that came while the part was not in edit mode or were too short.
    int refusedPulses() const { return refusedPulses_; }

protected:
    EditModeChip(std::string name, const EditModePins& pins, std::size_t cells, int ratedVpp);

    // The row a strobe loads or programs, given the pins and the bits shifted
    // since the last strobe.
    virtual std::vector<std::uint8_t> loadRow(const ChipView& view, const std::vector<std::uint8_t>& shifted) = 0;
    virtual void programRow(const ChipView& view, const std::vector<std::uint8_t>& shifted) = 0;
    // Names the part's own edit-mode pins (row address, mode selects).
    virtual void nameRowPins(PinLabels& labels) const = 0;

    // A cell as it reads (stuck faults applied).
    std::uint8_t readCell(std::size_t fuse) const;
    // Programs a 0 into the cell; cells that will not program keep their 1.
    void clearCell(std::size_t fuse);
    void setSecured() { secured_ = true; markChanged(); }

private:
    std::string name_;
    EditModePins pins_;
    int ratedVpp_;
    std::vector<std::uint8_t> cells_;
    bool secured_ = false;

    bool editMode_ = false;
    bool lastClock_ = false, lastStrobe_ = true;
    std::vector<std::uint8_t> shifted_;
    std::vector<std::uint8_t> out_;
    std::size_t outIndex_ = 0;
    bool pulseProgram_ = false;
    std::int64_t pulseStartPs_ = 0;
    int refusedPulses_ = 0;
};

} // namespace quarvin::sim
