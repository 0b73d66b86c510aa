#include "sim/families/mcu2051/At89c2051Chip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>
#include <cctype>

#include "sim/SimFamily.h"

namespace quarvin::sim {

namespace {

// Chip pins.
constexpr int kRstVpp = 1;
constexpr int kP31 = 3;   // RDY/BSY
constexpr int kXtal2 = 4;
constexpr int kXtal1 = 5;
constexpr int kP32 = 6;   // PROG
constexpr int kP33 = 7;
constexpr int kP34 = 8;
constexpr int kP35 = 9;
constexpr int kGround = 10;
constexpr int kP37 = 11;
constexpr int kP1First = 12; // P1.0..P1.7 on pins 12..19
constexpr int kVcc = 20;

const At89c2051Type kTypes[] = {
    {"AT89C1051", 0x400, {0x1E, 0x11, 0xFF}},
    {"AT89C2051", 0x800, {0x1E, 0x21, 0xFF}},
    {"AT89C4051", 0x1000, {0x1E, 0x41, 0xFF}},
};

bool ProgrammingVoltage(const ChipView& v) {
    const int mv = v.vppAt(kRstVpp);
    return mv >= At89c2051Chip::MinVppMillivolts && mv <= At89c2051Chip::MaxVppMillivolts;
}

} // namespace

const At89c2051Type* FindAt89c2051Type(const std::string& name) {
    for (const At89c2051Type& t : kTypes)
        if (SamePartName(name, t.name)) return &t;
    return nullptr;
}

At89c2051Chip::At89c2051Chip(const At89c2051Type& type) : type_(type), cells_(type.size, 0xFF) {}

void At89c2051Chip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    lockBits_.clear();
    markChanged();
}

At89c2051Chip::Mode At89c2051Chip::modeOf(const ChipView& v) {
    const int code = (v.high(kP33) ? 8 : 0) | (v.high(kP34) ? 4 : 0) | (v.high(kP35) ? 2 : 0) | (v.high(kP37) ? 1 : 0);
    switch (code) {
    case 0b0011: return Mode::ReadCode;
    case 0b0111: return Mode::WriteCode;
    case 0b1000: return Mode::ChipErase;
    case 0b1111: return Mode::Lock1;
    case 0b1100: return Mode::Lock2;
    case 0b0000: return Mode::ReadSignature;
    default: return Mode::None;
    }
}

std::uint8_t At89c2051Chip::readByte(Mode mode) const {
    // The counter runs past the array's end; the part decodes its own size.
    const std::uint32_t a = counter_ % static_cast<std::uint32_t>(cells_.size());
    if (mode == Mode::ReadSignature) {
        const std::vector<std::uint8_t> sig = McuSignature(faults(), type_.signature);
        return a < sig.size() ? sig[a] : 0xFF;
    }
    if (lockBits_.has(LockBit2)) return 0xFF;
    return faults().applyStuck(a, cells_[a]);
}

void At89c2051Chip::progRise(const ChipView& v) {
    if (!vppAtFall_ || !ProgrammingVoltage(v)) return;
    const std::int64_t now = v.nowPs;
    const std::uint32_t a = counter_ % static_cast<std::uint32_t>(cells_.size());
    switch (latchedMode_) {
    case Mode::WriteCode:
        if (cycle_.busy(progFallPs_)) return; // lost while the last write runs
        cycle_.start(now, WriteCyclePs, faults(), faults().eraseTimeFactor);
        if (lockBits_.has(LockBit1) || faults().programBlocked(a)) return;
        cells_[a] &= latchedData_;
        markChanged();
        return;
    case Mode::ChipErase:
        if (now - progFallPs_ < EraseLowPs) return;
        erase();
        return;
    case Mode::Lock1:
    case Mode::Lock2:
        if (lockBits_.write(latchedMode_ == Mode::Lock1 ? LockBit1 : LockBit2, cycle_, progFallPs_, now, WriteCyclePs,
                            faults()))
            markChanged();
        return;
    default: return;
    }
}

ChipDrive At89c2051Chip::update(const ChipView& v) {
    ChipDrive d;
    if (!v.hasVcc(kVcc) || !v.hasGround(kGround)) {
        rstHigh_ = xtalHigh_ = progLow_ = false;
        return d;
    }
    d.drive(kXtal2, !v.high(kXtal1));

    const bool rstHigh = v.high(kRstVpp);
    if (rstHigh && !rstHigh_) counter_ = 0;
    rstHigh_ = rstHigh;
    const bool xtalHigh = v.high(kXtal1);
    if (!xtalHigh && xtalHigh_) ++counter_;
    xtalHigh_ = xtalHigh;
    if (!rstHigh) {
        progLow_ = false;
        return d;
    }
    d.drive(kP31, !cycle_.busy(v.nowPs));

    const Mode mode = modeOf(v);
    const bool progLow = v.low(kP32);
    if (progLow && !progLow_) {
        progFallPs_ = v.nowPs;
        latchedMode_ = mode;
        std::uint8_t data = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (v.high(kP1First + bit)) data = static_cast<std::uint8_t>(data | (1u << bit));
        latchedData_ = data;
        vppAtFall_ = ProgrammingVoltage(v);
    } else if (!progLow && progLow_) {
        progRise(v);
    }
    progLow_ = progLow;

    if (!progLow && (mode == Mode::ReadCode || mode == Mode::ReadSignature)) {
        const std::uint8_t byte = readByte(mode);
        for (int bit = 0; bit < 8; ++bit) d.drive(kP1First + bit, (byte >> bit & 1) != 0);
    }
    return d;
}

// Atmel AT89C2051 (0368E-02/00), "Absolute Maximum Ratings": "Voltage on Any
// Pin with Respect to Ground -1.0V to +7.0V; Maximum Operating Voltage 6.6V" -
// rated against ground, not against Vcc. RST/VPP takes the programming voltage,
// bounded by the programming characteristics: "VPP Programming Enable Voltage
// 11.5 12.5 V"; it is otherwise held at "H" (Vcc).
// Unpowered: "Port pins P1.2 to P1.7 provide internal pullups. P1.0 and P1.1
// require external pullups"; "Port 3 pins P3.0 to P3.5, P3.7 are seven
// bi-directional I/O pins with internal pullups" - those clamp through their
// pull-ups; P1.0, P1.1 and the oscillator pins are not tested.
ChipRatings At89c2051Chip::ratings() const {
    ChipRatings r = ProgrammableRatings(kVcc, kGround, rating::Signal7V, UnpoweredInputs::Tolerated, kRstVpp,
                                        rating::Vpp12V5);
    r.supplyMaxMillivolts = rating::Supply6V6;
    r.pulledUpToVcc = PinRange(kP1First + 2, kP1First + 7) | pinBit(2) | pinBit(kP31) | PinRange(kP32, kP35) |
                      pinBit(kP37);
    return r;
}

// The data sheet's pin names; in programming mode P1 carries the data, XTAL1
// steps the address counter, P3.1 is RDY/BSY, P3.2 /PROG and P3.3..P3.7 the mode.
quarvin::Pinout At89c2051Chip::pinLabels() const {
    PinLabels labels(pinCount());
    labels.pin(kRstVpp, "RST/VPP", PinRole::Vpp).pin(2, "P3.0", PinRole::Unused).pin(kP31, "P3.1", PinRole::Control);
    labels.pin(kXtal2, "XTAL2", PinRole::Unused).pin(kXtal1, "XTAL1", PinRole::Clock);
    labels.pin(kP32, "P3.2", PinRole::Control).pin(kP33, "P3.3", PinRole::Control);
    labels.pin(kP34, "P3.4", PinRole::Control).pin(kP35, "P3.5", PinRole::Control);
    labels.pin(kGround, "GND", PinRole::Ground).pin(kP37, "P3.7", PinRole::Control);
    for (int b = 0; b < 8; ++b) labels.pin(kP1First + b, "P1." + std::to_string(b), PinRole::Data);
    return labels.pin(kVcc, "VCC", PinRole::Vcc).take();
}

} // namespace quarvin::sim
