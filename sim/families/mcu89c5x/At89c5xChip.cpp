#include "sim/families/mcu89c5x/At89c5xChip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>
#include <cctype>

#include "sim/SimFamily.h"

namespace quarvin::sim {

namespace {

// Chip pins (the same as socket pins for a 40-pin part).
constexpr int kP1First = 1;     // P1.0..P1.7 on pins 1..8: A0..A7
constexpr int kRst = 9;
constexpr int kP30 = 10;        // A14
constexpr int kP34 = 14;        // RDY/BSY
constexpr int kP36 = 16;
constexpr int kP37 = 17;
constexpr int kXtal2 = 18;
constexpr int kXtal1 = 19;
constexpr int kGround = 20;
constexpr int kP2First = 21;    // P2.0..P2.5 on pins 21..26: A8..A13
constexpr int kP26 = 27;
constexpr int kP27 = 28;
constexpr int kPsen = 29;
constexpr int kAleProg = 30;
constexpr int kEaVpp = 31;
constexpr int kP0Bit0 = 39;     // P0.0 on pin 39 .. P0.7 on pin 32
constexpr int kVcc = 40;
constexpr std::uint32_t kSignatureAddress = 0x30;

// Not checked against a data sheet: no programming section for the AT89C55
// (where its A14 is taken from: P3.0 here), nor any data sheet of the AT80F51/52
// and AT87F51/52, was found. Their signatures are assumed to be those of the
// AT89C51/52 of the same size; the device list gives those rows no ID, so the
// signature check accepts them whatever they answer.
const At89c5xType kTypes[] = {
    {"AT89C51", 0x1000, 0x0FFF, {0x1E, 0x51, 0xFF}, false},
    {"AT89LV51", 0x1000, 0x0FFF, {0x1E, 0x61, 0xFF}, false},
    {"AT89C52", 0x2000, 0x1FFF, {0x1E, 0x52, 0xFF}, false},
    {"AT89LV52", 0x2000, 0x1FFF, {0x1E, 0x62, 0xFF}, false},
    {"AT89C55", 0x5000, 0x7FFF, {0x1E, 0x55, 0xFF}, false},
    {"AT80F51", 0x1000, 0x0FFF, {0x1E, 0x51, 0xFF}, false},
    {"AT80F52", 0x2000, 0x1FFF, {0x1E, 0x52, 0xFF}, false},
    {"AT87F51", 0x1000, 0x0FFF, {0x1E, 0x51, 0xFF}, true},
    {"AT87F52", 0x2000, 0x1FFF, {0x1E, 0x52, 0xFF}, true},
};

bool ProgrammingVoltage(const ChipView& v) {
    const int mv = v.vppAt(kEaVpp);
    return mv >= At89c5xChip::MinVppMillivolts && mv <= At89c5xChip::MaxVppMillivolts;
}

} // namespace

const At89c5xType* FindAt89c5xType(const std::string& name) {
    for (const At89c5xType& t : kTypes)
        if (SamePartName(name, t.name)) return &t;
    return nullptr;
}

At89c5xChip::At89c5xChip(const At89c5xType& type) : type_(type), cells_(type.size, 0xFF) {}

void At89c5xChip::erase() {
    if (type_.otp) return;
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    lockBits_.clear();
    markChanged();
}

At89c5xChip::Mode At89c5xChip::modeOf(const ChipView& v) {
    const int code = (v.high(kP26) ? 8 : 0) | (v.high(kP27) ? 4 : 0) | (v.high(kP36) ? 2 : 0) | (v.high(kP37) ? 1 : 0);
    switch (code) {
    case 0b0011: return Mode::ReadCode;
    case 0b0111: return Mode::ProgramCode;
    case 0b0000: return Mode::ReadSignature;
    case 0b1000: return Mode::ChipErase;
    case 0b1111: return Mode::Lock1;
    case 0b1100: return Mode::Lock2;
    case 0b1010: return Mode::Lock3;
    default: return Mode::None;
    }
}

std::uint32_t At89c5xChip::address(const ChipView& v) const {
    std::uint32_t a = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (v.high(kP1First + bit)) a |= 1u << bit;
    for (int bit = 0; bit < 6; ++bit)
        if (v.high(kP2First + bit)) a |= 1u << (8 + bit);
    if (v.high(kP30)) a |= 1u << 14;
    return a & type_.addressMask;
}

std::uint8_t At89c5xChip::readByte(Mode mode, std::uint32_t a) const {
    if (mode == Mode::ReadSignature) {
        const std::vector<std::uint8_t> sig = McuSignature(faults(), type_.signature);
        const std::uint32_t i = a - kSignatureAddress;
        return a >= kSignatureAddress && i < sig.size() ? sig[i] : 0xFF;
    }
    // Lock bit 2 disables reading the code memory.
    if (lockBits_.has(LockBit2) || a >= cells_.size()) return 0xFF;
    return faults().applyStuck(a, cells_[a]);
}

void At89c5xChip::progRise(const ChipView& v) {
    if (!vppAtFall_ || !ProgrammingVoltage(v)) return;
    const std::int64_t now = v.nowPs;
    switch (latchedMode_) {
    case Mode::ProgramCode: {
        // A pulse while the last write is still running is lost.
        if (cycle_.busy(progFallPs_)) return;
        cycle_.start(now, WriteCyclePs, faults(), faults().eraseTimeFactor);
        if (lockBits_.has(LockBit1)) return;
        const std::uint32_t a = latchedAddress_;
        if (a >= cells_.size() || faults().programBlocked(a)) return;
        cells_[a] &= latchedData_;
        markChanged();
        return;
    }
    case Mode::ChipErase:
        if (type_.otp || now - progFallPs_ < EraseLowPs) return;
        std::fill(cells_.begin(), cells_.end(), 0xFF);
        lockBits_.clear();
        markChanged();
        return;
    case Mode::Lock1:
    case Mode::Lock2:
    case Mode::Lock3: {
        const std::uint8_t bit = latchedMode_ == Mode::Lock1 ? LockBit1 : latchedMode_ == Mode::Lock2 ? LockBit2 : LockBit3;
        if (lockBits_.write(bit, cycle_, progFallPs_, now, WriteCyclePs, faults())) markChanged();
        return;
    }
    default: return;
    }
}

ChipDrive At89c5xChip::update(const ChipView& v) {
    ChipDrive d;
    if (!v.hasVcc(kVcc) || !v.hasGround(kGround)) {
        progLow_ = false;
        return d;
    }
    d.drive(kXtal2, !v.high(kXtal1));
    const bool clockRunning = (v.clock & pinBit(kXtal1)) != 0 && v.clockHz > 0;
    const bool programming = clockRunning && v.high(kRst) && v.low(kPsen);
    if (!programming) {
        progLow_ = false;
        return d;
    }
    d.drive(kP34, !cycle_.busy(v.nowPs));

    const Mode mode = modeOf(v);
    const bool progLow = v.low(kAleProg);
    if (progLow && !progLow_) {
        progFallPs_ = v.nowPs;
        latchedMode_ = mode;
        latchedAddress_ = address(v);
        latchedData_ = ReadPort0(v, kP0Bit0);
        vppAtFall_ = ProgrammingVoltage(v);
    } else if (!progLow && progLow_) {
        progRise(v);
    }
    progLow_ = progLow;

    if (!progLow && (mode == Mode::ReadCode || mode == Mode::ReadSignature)) {
        // "Port 0 is an 8-bit open drain bidirectional I/O port ... External
        // pullups are required during program verification": the part pulls
        // its zeros low and releases its ones, which the box's pull-ups read high.
        const std::uint8_t byte = readByte(mode, address(v));
        for (int bit = 0; bit < 8; ++bit)
            if (!(byte >> bit & 1)) d.drive(kP0Bit0 - bit, false);
    }
    return d;
}

// Atmel AT89C51 (0265G-02/00) and AT89C52 (0313H-02/00), "Absolute Maximum
// Ratings": "Voltage on Any Pin with Respect to Ground -1.0V to +7.0V; Maximum
// Operating Voltage 6.6V" - rated against ground, not against Vcc. EA/VPP
// takes the programming voltage, which the table of programming
// characteristics bounds: "VPP Programming Enable Voltage 11.5 12.5 V". RST,
// EA and the mode pins are held at "H" (Vcc) while programming.
// Unpowered: "Port 1 [2, 3] is an 8-bit bi-directional I/O port with internal
// pullups" - those pins are tied to Vcc and clamp; "Port 0 is an 8-bit
// open-drain bi-directional I/O port" and RST, XTAL1, PSEN and ALE/PROG are
// given no pull-up, so nothing says how they behave and they are not tested.
ChipRatings At89c5xChip::ratings() const {
    ChipRatings r = ProgrammableRatings(kVcc, kGround, rating::Signal7V, UnpoweredInputs::Tolerated, kEaVpp,
                                        rating::Vpp12V5);
    r.vccAllowed = pinBit(kRst) | pinBit(kP26) | pinBit(kP27) | pinBit(kP36) | pinBit(kP37) | pinBit(kPsen) |
                   pinBit(kAleProg);
    r.supplyMaxMillivolts = rating::Supply6V6;
    r.pulledUpToVcc = PinRange(kP1First, kP1First + 7) | PinRange(kP30, kP37) | PinRange(kP2First, kP27);
    return r;
}

// The data sheet's pin names; in programming mode P1 and P2.0..P2.5 (and P3.0)
// carry the address, P0 the data, XTAL1 the clock, P2.6, P2.7, P3.3, P3.6, P3.7,
// /PSEN and ALE/PROG the mode and strobe, P3.4 RDY/BSY.
quarvin::Pinout At89c5xChip::pinLabels() const {
    PinLabels labels(pinCount());
    for (int b = 0; b < 8; ++b) {
        labels.pin(kP1First + b, "P1." + std::to_string(b), PinRole::Address);
        labels.pin(kP0Bit0 - b, "P0." + std::to_string(b), PinRole::Data);
        labels.pin(kP30 + b, "P3." + std::to_string(b), PinRole::Unused);
    }
    for (int b = 0; b < 6; ++b) labels.pin(kP2First + b, "P2." + std::to_string(b), PinRole::Address);
    labels.pin(kRst, "RST", PinRole::Control).pin(kP30, "P3.0", PinRole::Address);
    // P3.3 is held high in the erase and lock modes (the model reads the mode from the others).
    for (int pin : {kP30 + 3, kP34, kP36, kP37}) labels.pin(pin, "P3." + std::to_string(pin - kP30), PinRole::Control);
    labels.pin(kXtal2, "XTAL2", PinRole::Unused).pin(kXtal1, "XTAL1", PinRole::Clock).pin(kGround, "GND", PinRole::Ground);
    labels.pin(kP26, "P2.6", PinRole::Control).pin(kP27, "P2.7", PinRole::Control).pin(kPsen, "/PSEN", PinRole::Control);
    labels.pin(kAleProg, "ALE/PROG", PinRole::Control).pin(kEaVpp, "/EA/VPP", PinRole::Vpp);
    return labels.pin(kVcc, "VCC", PinRole::Vcc).take();
}

} // namespace quarvin::sim
