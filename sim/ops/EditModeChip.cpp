#include "sim/ops/EditModeChip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>

namespace quarvin::sim {

namespace {
constexpr std::int64_t kMinimumProgramPulsePs = 5'000'000'000; // 5 ms
} // namespace

EditModeChip::EditModeChip(std::string name, const EditModePins& pins, std::size_t cells, int ratedVpp)
    : name_(std::move(name)), pins_(pins), ratedVpp_(ratedVpp), cells_(cells, 1) {}

void EditModeChip::erase() {
    std::fill(cells_.begin(), cells_.end(), 1);
    secured_ = false;
    markChanged();
}

bool EditModeChip::loadExtraState(const std::vector<std::uint8_t>& state) {
    if (state.size() != 1 || state[0] > 1) return false;
    secured_ = state[0] == 1;
    return true;
}

void EditModeChip::restoreSecurity(bool secured) {
    secured_ = secured;
    markChanged();
}

std::uint8_t EditModeChip::readCell(std::size_t fuse) const {
    return static_cast<std::uint8_t>(faults().applyStuck(static_cast<std::uint32_t>(fuse), cells_[fuse]) & 1);
}

void EditModeChip::clearCell(std::size_t fuse) {
    if (fuse >= cells_.size() || cells_[fuse] == 0 || faults().programBlocked(static_cast<std::uint32_t>(fuse))) return;
    cells_[fuse] = 0;
    markChanged();
}

ChipDrive EditModeChip::update(const ChipView& v) {
    const int edit = v.vppAt(kEditPin);
    const bool powered = v.hasVcc(pins_.vcc) && v.hasGround(pins_.ground) && v.vccMillivolts > 0;
    const bool nowEdit = powered && edit >= kEditMinMillivolts && edit <= kEditMaxMillivolts;
    const bool clock = v.high(pins_.clock), strobe = v.high(pins_.strobe);
    ChipDrive out;
    if (!nowEdit) {
        // Leaving edit mode drops the shift register and any pulse under way.
        if (editMode_ && pulseProgram_) ++refusedPulses_;
        editMode_ = false;
        pulseProgram_ = false;
        shifted_.clear();
        out_.clear();
        lastClock_ = clock;
        lastStrobe_ = strobe;
        return out;
    }
    if (!editMode_) {
        editMode_ = true;
        lastClock_ = clock;
        lastStrobe_ = strobe;
    }
    if (clock && !lastClock_) {
        shifted_.push_back(v.high(pins_.dataIn) ? 1 : 0);
        ++outIndex_;
    }
    if (lastStrobe_ && !strobe) {
        if (v.high(pins_.programSelect)) {
            pulseProgram_ = true;
            pulseStartPs_ = v.nowPs;
        } else {
            out_ = loadRow(v, shifted_);
            outIndex_ = 0;
            shifted_.clear();
        }
    } else if (!lastStrobe_ && strobe && pulseProgram_) {
        pulseProgram_ = false;
        if (v.high(pins_.programSelect) && v.nowPs - pulseStartPs_ >= kMinimumProgramPulsePs)
            programRow(v, shifted_);
        else
            ++refusedPulses_;
        shifted_.clear();
    }
    lastClock_ = clock;
    lastStrobe_ = strobe;
    out.drive(pins_.dataOut, outIndex_ >= out_.size() || out_[outIndex_] != 0);
    return out;
}

// Lattice GAL16V8 (October 1998), "Absolute Maximum Ratings": "Supply voltage
// VCC -0.5 to +7V; Input voltage applied -2.5 to VCC +1.0V; Off-state output
// voltage applied -2.5 to VCC +1.0V" - the pins are rated against Vcc, and the
// GAL16V8D and GAL22V10 data sheets list "active pull-ups on all pins", so
// every pin clamps to Vcc when the part is unpowered. The table sends the edit
// voltage to the programming specifications ("while programming, follow the
// programming specifications"), which were not at hand: the edit pin's top of
// 16.5 V is the top of the edit window, unconfirmed. The GAL20V8 and GAL22V10
// absolute maximum tables were not at hand either: the GAL16V8's stand for them.
// Unconfirmed: no ATF16V8B/ATF20V8B data sheet was at hand; their figures are
// kept as first written ("voltage on any pin with respect to ground -2.0 V to
// +7.0 V; voltage on input pins with respect to ground during programming
// -2.0 V to +14.0 V"), and the socket check tests none of their pins.
ChipRatings EditModeChip::ratings() const {
    const bool atf = name_.rfind("ATF", 0) == 0;
    ChipRatings r = ProgrammableRatings(pins_.vcc, pins_.ground, rating::Signal7V,
                                        atf ? UnpoweredInputs::Tolerated : UnpoweredInputs::Forbidden, kEditPin,
                                        atf ? rating::Vpp14V : kEditMaxMillivolts);
    r.unpoweredPinsConfirmed = !atf;
    return r;
}

// The edit-mode pins: the edit voltage on pin 2, the serial clock, data in and
// out, the strobe and program/verify select; the parts add their row address
// pins (nameRowPins).
quarvin::Pinout EditModeChip::pinLabels() const {
    PinLabels labels(pins_.pins);
    labels.pin(kEditPin, "VPP", PinRole::Vpp).pin(pins_.vcc, "VCC", PinRole::Vcc).pin(pins_.ground, "GND", PinRole::Ground);
    labels.pin(pins_.clock, "SCLK", PinRole::Clock).pin(pins_.dataIn, "SDIN", PinRole::Data);
    labels.pin(pins_.dataOut, "SDOUT", PinRole::Data).pin(pins_.strobe, "/STB", PinRole::Control);
    labels.pin(pins_.programSelect, "P/V", PinRole::Control);
    nameRowPins(labels);
    return labels.take();
}

} // namespace quarvin::sim
