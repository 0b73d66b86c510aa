#include "sim/families/mcu89s5x/At89s5xChip.h"

#include <algorithm>

#include "sim/ChipRatings.h"
#include "sim/PinLabels.h"
#include "sim/SimFamily.h"

namespace quarvin::sim {

namespace {

// Chip pins of the 40-lead PDIP (the same as socket pins).
constexpr int kP1First = 1;  // P1.0..P1.7: A0..A7
constexpr int kRst = 9;
constexpr int kP30 = 10;     // RDY/BSY
constexpr int kP33 = 13;
constexpr int kP36 = 16;
constexpr int kP37 = 17;
constexpr int kXtal2 = 18;
constexpr int kXtal1 = 19;
constexpr int kGround = 20;
constexpr int kP2First = 21; // P2.0..P2.4: A8..A12
constexpr int kP26 = 27;
constexpr int kP27 = 28;
constexpr int kPsen = 29;
constexpr int kAleProg = 30;
constexpr int kEaVpp = 31;
constexpr int kP0Bit0 = 39;  // P0.0 on pin 39 .. P0.7 on pin 32
constexpr int kVcc = 40;

// "Reading the Signature Bytes": (000H) = 1EH, (100H) = 51H or 52H, (200H) = 06H.
constexpr std::uint32_t kSignatureAddresses[3] = {0x000, 0x100, 0x200};
const At89s5xType kTypes[] = {
    {"AT89S51", 0x1000, {0x1E, 0x51, 0x06}},
    {"AT89S52", 0x2000, {0x1E, 0x52, 0x06}},
};

} // namespace

const At89s5xType* FindAt89s5xType(const std::string& name) {
    for (const At89s5xType& t : kTypes)
        if (SamePartName(name, t.name)) return &t;
    return nullptr;
}

At89s5xChip::At89s5xChip(const At89s5xType& type) : type_(type), cells_(type.size, 0xFF) {}

void At89s5xChip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    lockBits_.clear();
    markChanged();
}

// The "Flash Programming Modes" table, P2.6 P2.7 P3.3 P3.6 P3.7.
At89s5xChip::Mode At89s5xChip::modeOf(const ChipView& v) {
    const int code = (v.high(kP26) ? 16 : 0) | (v.high(kP27) ? 8 : 0) | (v.high(kP33) ? 4 : 0) |
                     (v.high(kP36) ? 2 : 0) | (v.high(kP37) ? 1 : 0);
    switch (code) {
    case 0b01111: return Mode::WriteCode;
    case 0b00011: return Mode::ReadCode;
    case 0b00000: return Mode::ReadSignature;
    case 0b10100: return Mode::ChipErase;
    case 0b11111: return Mode::Lock1;
    case 0b11100: return Mode::Lock2;
    case 0b10110: return Mode::Lock3;
    default: return Mode::None;
    }
}

std::uint32_t At89s5xChip::address(const ChipView& v) const {
    std::uint32_t a = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (v.high(kP1First + bit)) a |= 1u << bit;
    for (int bit = 0; bit < 5; ++bit)
        if (v.high(kP2First + bit)) a |= 1u << (8 + bit);
    return a & (type_.size - 1);
}

// What the part drives on P0; nothing leaves P0 to the pull-ups.
std::optional<std::uint8_t> At89s5xChip::readByte(Mode mode, std::uint32_t a, std::int64_t nowPs) const {
    if (mode == Mode::ReadSignature) {
        const std::vector<std::uint8_t> sig = McuSignature(faults(), type_.signature);
        for (std::size_t i = 0; i < 3 && i < sig.size(); ++i)
            if (a == kSignatureAddresses[i]) return sig[i];
        return std::nullopt;
    }
    if (nowPs < eraseUntilPs_) return std::uint8_t{0x00};
    // Lock bit 2: "verify is also disabled".
    if (lockBits_.has(LockBit2)) return std::nullopt;
    // "Data Polling": during a write cycle a read of the last byte written
    // gives the complement of its bit 7 on P0.7.
    if (cycle_.busy(nowPs) && a == lastWritten_) return static_cast<std::uint8_t>(cells_[a] ^ 0x80);
    return faults().applyStuck(a, cells_[a]);
}

void At89s5xChip::progRise(const ChipView& v) {
    const std::int64_t now = v.nowPs;
    const std::int64_t width = now - progFallPs_;
    if (!vppAtFall_ || width < ProgMinPs || width > ProgMaxPs) return;
    switch (latchedMode_) {
    case Mode::WriteCode: {
        // A pulse while the last write is still running is lost.
        if (cycle_.busy(progFallPs_) || now < eraseUntilPs_) return;
        cycle_.start(now, WriteCyclePs, faults(), faults().eraseTimeFactor);
        if (lockBits_.has(LockBit1)) return;
        const std::uint32_t a = latchedAddress_;
        if (faults().programBlocked(a)) return;
        cells_[a] &= latchedData_;
        lastWritten_ = a;
        markChanged();
        return;
    }
    case Mode::ChipErase:
        eraseUntilPs_ = now + static_cast<std::int64_t>(static_cast<double>(ErasePs) * faults().eraseTimeFactor);
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

ChipDrive At89s5xChip::update(const ChipView& v) {
    ChipDrive d;
    if (!v.hasVcc(kVcc) || !v.hasGround(kGround)) {
        progLow_ = false;
        vppSincePs_ = -1;
        return d;
    }
    d.drive(kXtal2, !v.high(kXtal1));
    const int vpp = v.vppAt(kEaVpp);
    const bool vppInRange = vpp >= MinVppMillivolts && vpp <= MaxVppMillivolts;
    if (!vppInRange) vppSincePs_ = -1;
    else if (vppSincePs_ < 0) vppSincePs_ = v.nowPs;

    const bool clockInRange = (v.clock & pinBit(kXtal1)) != 0 && v.clockHz >= MinClockHz && v.clockHz <= MaxClockHz;
    const bool programming = clockInRange && v.high(kRst) && v.low(kPsen);
    if (!programming) {
        progLow_ = false;
        return d;
    }
    // "P3.0 is pulled low after ALE goes high during programming to indicate BUSY".
    d.drive(kP30, !cycle_.busy(v.nowPs));

    const Mode mode = modeOf(v);
    const bool progLow = v.low(kAleProg);
    if (progLow && !progLow_) {
        progFallPs_ = v.nowPs;
        latchedMode_ = mode;
        latchedAddress_ = address(v);
        latchedData_ = ReadPort0(v, kP0Bit0);
        vppAtFall_ = vppInRange && v.nowPs - vppSincePs_ >= VppSetupPs;
    } else if (!progLow && progLow_) {
        progRise(v);
    }
    progLow_ = progLow;

    if (!progLow && (mode == Mode::ReadCode || mode == Mode::ReadSignature)) {
        if (const auto byte = readByte(mode, address(v), v.nowPs))
            for (int bit = 0; bit < 8; ++bit) d.drive(kP0Bit0 - bit, (*byte >> bit & 1) != 0);
    }
    return d;
}

// Atmel AT89S51 (2487D-MICRO-6/08) and AT89S52 (1919C-MICRO-3/05), "Absolute
// Maximum Ratings": "Voltage on Any Pin with Respect to Ground -1.0V to +7.0V;
// Maximum Operating Voltage 6.6V" - rated against ground, not against Vcc.
// EA/VPP takes "the 12-volt programming enable voltage", bounded by the
// programming characteristics: "VPP Programming Supply Voltage 11.5 12.5 V".
// RST, PSEN, ALE/PROG and the mode pins are at "H" in the modes table.
// Unpowered: "Port 1 [2, 3] is an 8-bit bi-directional I/O port with internal
// pull-ups" - those pins clamp through their pull-ups; "Port 0 is an 8-bit open
// drain bi-directional I/O port" and RST, XTAL1, PSEN and ALE/PROG have no
// pull-up in the pin description, so they are not tested.
ChipRatings At89s5xChip::ratings() const {
    ChipRatings r = ProgrammableRatings(kVcc, kGround, rating::Signal7V, UnpoweredInputs::Tolerated, kEaVpp,
                                        rating::Vpp12V5);
    r.vccAllowed = pinBit(kRst) | pinBit(kP26) | pinBit(kP27) | pinBit(kP33) | pinBit(kP36) | pinBit(kP37) |
                   pinBit(kPsen) | pinBit(kAleProg);
    r.pulledUpToVcc = PinRange(kP1First, kP1First + 7) | PinRange(kP30, kP37) | PinRange(kP2First, kP27);
    return r;
}

quarvin::Pinout At89s5xChip::pinLabels() const {
    PinLabels labels(pinCount());
    for (int b = 0; b < 8; ++b) {
        labels.pin(kP1First + b, "P1." + std::to_string(b), PinRole::Address);
        labels.pin(kP0Bit0 - b, "P0." + std::to_string(b), PinRole::Data);
        labels.pin(kP30 + b, "P3." + std::to_string(b), PinRole::Unused);
    }
    for (int b = 0; b < 8; ++b)
        labels.pin(kP2First + b, "P2." + std::to_string(b), b < 5 ? PinRole::Address : PinRole::Unused);
    labels.pin(kRst, "RST", PinRole::Control).pin(kP30, "P3.0 RDY/BSY", PinRole::Control);
    for (int pin : {kP33, kP36, kP37}) labels.pin(pin, "P3." + std::to_string(pin - kP30), PinRole::Control);
    labels.pin(kXtal2, "XTAL2", PinRole::Unused).pin(kXtal1, "XTAL1", PinRole::Clock).pin(kGround, "GND", PinRole::Ground);
    labels.pin(kP26, "P2.6", PinRole::Control).pin(kP27, "P2.7", PinRole::Control).pin(kPsen, "/PSEN", PinRole::Control);
    labels.pin(kAleProg, "ALE/PROG", PinRole::Control).pin(kEaVpp, "/EA/VPP", PinRole::Vpp);
    return labels.pin(kVcc, "VCC", PinRole::Vcc).take();
}

} // namespace quarvin::sim
