#include "sim/families/avr90s/Avr90sChip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>

#include "families/avr90s/Avr90sRows.h"
#include "sim/SimFamily.h"

namespace quarvin::sim {

namespace {

// The 20-pin parts: RESET 1, PD1 3, XTAL1 5, PD2..PD5 6..9, GND 10, PD6 11,
// PB0..PB7 12..19, VCC 20. The 40-pin parts: PB0..PB7 1..8, RESET 9, PD1..PD6
// 11..16, XTAL1 19, GND 20, VCC 40.
constexpr Avr90sPins kDip20{1, 3, 6, 7, 8, 9, 11, 5, 12, 10, 20};
constexpr Avr90sPins kDip40{9, 11, 12, 13, 14, 15, 16, 19, 1, 20, 40};

const Avr90sType kTypes[] = {
    {"AT90S1200", 20, 1024, 64, 0x90},
    {"AT90S2313", 20, 2048, 128, 0x91},
    {"AT90S4414", 40, 4096, 256, 0x92},
    {"AT90S8515", 40, 8192, 512, 0x93},
};

constexpr std::uint8_t kSignatureLast = 0x01;

// XA1/XA0: what a rising XTAL1 loads.
enum class XtalAction { Address, Data, Command, Idle };

XtalAction ActionOf(const ChipView& v, const Avr90sPins& p) {
    return static_cast<XtalAction>((v.high(p.xa1) ? 2 : 0) | (v.high(p.xa0) ? 1 : 0));
}

} // namespace

const Avr90sType* FindAvr90sType(const std::string& name) {
    for (const Avr90sType& t : kTypes)
        if (SamePartName(name, t.name)) return &t;
    return nullptr;
}

Avr90sChip::Avr90sChip(const Avr90sType& type)
    : type_(type), pins_(type.pinCount == 40 ? kDip40 : kDip20), flash_(type.flashBytes, 0xFF),
      eeprom_(type.eepromBytes, 0xFF) {}

void Avr90sChip::erase() {
    std::fill(flash_.begin(), flash_.end(), 0xFF);
    std::fill(eeprom_.begin(), eeprom_.end(), 0xFF);
    locks_ = 0;
    markChanged();
}

std::vector<std::uint8_t> Avr90sChip::extraState() const {
    std::vector<std::uint8_t> state(2 + eeprom_.size());
    state[0] = fuses_;
    state[1] = locks_;
    std::copy(eeprom_.begin(), eeprom_.end(), state.begin() + 2);
    return state;
}

bool Avr90sChip::loadExtraState(const std::vector<std::uint8_t>& state) {
    if (state.size() != 2 + eeprom_.size() || (state[0] & ~FuseMask) != 0 || (state[1] & ~(LockBit1 | LockBit2)) != 0)
        return false;
    fuses_ = state[0];
    locks_ = state[1];
    std::copy(state.begin() + 2, state.end(), eeprom_.begin());
    return true;
}

std::uint8_t Avr90sChip::fuseAndLockByte() const {
    std::uint8_t b = static_cast<std::uint8_t>(~FuseMask | fuses_);
    if (locks_ & LockBit1) b &= static_cast<std::uint8_t>(~avrfuse::LockBit1);
    if (locks_ & LockBit2) b &= static_cast<std::uint8_t>(~avrfuse::LockBit2);
    return b;
}

std::uint8_t Avr90sChip::dataPort(const ChipView& v) const {
    std::uint8_t b = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (v.high(pins_.dataFirst + bit)) b = static_cast<std::uint8_t>(b | (1u << bit));
    return b;
}

void Avr90sChip::xtalRise(const ChipView& v) {
    const std::uint8_t b = dataPort(v);
    switch (ActionOf(v, pins_)) {
    case XtalAction::Address: (v.high(pins_.bs) ? addressHigh_ : addressLow_) = b; break;
    case XtalAction::Data: data_ = b; break;
    case XtalAction::Command: command_ = b; break;
    case XtalAction::Idle: break;
    }
}

void Avr90sChip::wrFall(const ChipView& v) {
    const std::int64_t now = v.nowPs;
    wrFallPs_ = now;
    const bool blocked = (locks_ & LockBit1) != 0;
    switch (command_) {
    case avrcmd::WriteFlash: {
        if (cycle_.busy(now)) return; // lost while the last write runs
        cycle_.start(now, WriteCyclePs, faults(), faults().eraseTimeFactor);
        const std::uint32_t a = (2 * wordAddress() + (v.high(pins_.bs) ? 1 : 0)) % type_.flashBytes;
        if (blocked || faults().programBlocked(a)) return;
        flash_[a] &= data_;
        markChanged();
        return;
    }
    case avrcmd::WriteEeprom:
        if (cycle_.busy(now)) return;
        cycle_.start(now, WriteCyclePs, faults(), faults().eraseTimeFactor);
        if (blocked) return;
        eeprom_[wordAddress() % type_.eepromBytes] = data_;
        markChanged();
        return;
    case avrcmd::WriteLocks:
        if (cycle_.busy(now)) return;
        cycle_.start(now, WriteCyclePs, faults(), faults().eraseTimeFactor);
        if (!(data_ & avrlock::LockBit1)) locks_ |= LockBit1;
        if (!(data_ & avrlock::LockBit2)) locks_ |= LockBit2;
        markChanged();
        return;
    default: return;
    }
}

void Avr90sChip::wrRise(const ChipView& v) {
    const std::int64_t low = v.nowPs - wrFallPs_;
    switch (command_) {
    case avrcmd::ChipErase:
        if (low >= ChipEraseLowPs) erase();
        return;
    case avrcmd::WriteFuses:
        if (low < FuseWriteLowPs || (locks_ & LockBit1)) return;
        fuses_ = data_ & FuseMask;
        markChanged();
        return;
    default: return;
    }
}

bool Avr90sChip::readValue(bool bs, std::uint8_t& value) const {
    switch (command_) {
    case avrcmd::ReadFlash: {
        const std::uint32_t a = (2 * wordAddress() + (bs ? 1 : 0)) % type_.flashBytes;
        value = (locks_ & LockBit2) ? 0xFF : faults().applyStuck(a, flash_[a]);
        return true;
    }
    case avrcmd::ReadEeprom:
        value = (locks_ & LockBit2) ? 0xFF : eeprom_[wordAddress() % type_.eepromBytes];
        return true;
    case avrcmd::ReadFusesAndLocks:
        if (!bs) return false;
        value = fuseAndLockByte();
        return true;
    case avrcmd::ReadSignature: {
        const std::vector<std::uint8_t> sig = faults().signature.empty()
                                                  ? std::vector<std::uint8_t>{kAvrMakerCode, type_.deviceCode, kSignatureLast}
                                                  : faults().signature;
        if (bs || addressLow_ >= sig.size()) return false;
        value = sig[addressLow_];
        return true;
    }
    default: return false;
    }
}

ChipDrive Avr90sChip::update(const ChipView& v) {
    ChipDrive d;
    if (!v.hasVcc(pins_.vcc) || !v.hasGround(pins_.ground)) {
        programming_ = false;
        reset_ = ResetLevel::Low;
        xtalHigh_ = wrLow_ = false;
        return d;
    }
    const int vpp = v.vppAt(pins_.reset);
    const ResetLevel reset = vpp >= MinVppMillivolts && vpp <= MaxVppMillivolts ? ResetLevel::Programming
                             : v.high(pins_.reset)                                ? ResetLevel::High
                                                                                  : ResetLevel::Low;
    // The mode is entered only from RESET low with BS low; leaving the
    // programming voltage leaves it.
    if (reset == ResetLevel::Programming && reset_ == ResetLevel::Low && v.low(pins_.bs)) {
        programming_ = true;
        command_ = 0;
        wrLow_ = v.low(pins_.wr);
        xtalHigh_ = v.high(pins_.xtal1);
    }
    if (reset != ResetLevel::Programming) programming_ = false;
    reset_ = reset;
    if (!programming_) return d;

    d.drive(pins_.rdyBsy, !cycle_.busy(v.nowPs));
    const bool xtalHigh = v.high(pins_.xtal1);
    if (xtalHigh && !xtalHigh_) xtalRise(v);
    xtalHigh_ = xtalHigh;
    const bool wrLow = v.low(pins_.wr);
    if (wrLow && !wrLow_) wrFall(v);
    if (!wrLow && wrLow_) wrRise(v);
    wrLow_ = wrLow;

    std::uint8_t value = 0;
    if (v.low(pins_.oe) && readValue(v.high(pins_.bs), value))
        for (int bit = 0; bit < 8; ++bit) d.drive(pins_.dataFirst + bit, (value >> bit & 1) != 0);
    return d;
}

// Atmel AT90S2313 (0839I-AVR-06/02), "Absolute Maximum Ratings": "Voltage on
// Any Pin Except RESET with Respect to Ground -1.0V to VCC +0.5V; Voltage on
// RESET with Respect to Ground -1.0V to +13.0V; Maximum Operating Voltage
// 6.6V". Every pin but RESET is rated against Vcc, so each clamps to Vcc when
// the part is unpowered; RESET takes 12 V and has no diode to Vcc. The fixed
// 7 V ceiling of the other pins is Vcc + 0.5 V at the 6.6 V maximum, rounded
// down. The data sheets of the AT90S1200, 4414 and 8515 were not at hand: the
// AT90S2313's figures stand for them.
ChipRatings Avr90sChip::ratings() const {
    ChipRatings r = ProgrammableRatings(pins_.vcc, pins_.ground, rating::Signal7V, UnpoweredInputs::Forbidden,
                                        pins_.reset, rating::Vpp13V);
    r.supplyMaxMillivolts = rating::Supply6V6;
    return r;
}

// The parallel programming mode's pins: 12 V on RESET, PB0..PB7 the data port,
// XTAL1 the load strobe, the mode and handshake pins.
quarvin::Pinout Avr90sChip::pinLabels() const {
    PinLabels labels(type_.pinCount);
    labels.pin(pins_.reset, "RESET", PinRole::Vpp).pin(pins_.rdyBsy, "RDY/BSY", PinRole::Control);
    labels.pin(pins_.oe, "/OE", PinRole::Control).pin(pins_.wr, "/WR", PinRole::Control);
    labels.pin(pins_.bs, "BS", PinRole::Control).pin(pins_.xa0, "XA0", PinRole::Control);
    labels.pin(pins_.xa1, "XA1", PinRole::Control).pin(pins_.xtal1, "XTAL1", PinRole::Clock);
    for (int b = 0; b < 8; ++b) labels.pin(pins_.dataFirst + b, "PB" + std::to_string(b), PinRole::Data);
    return labels.pin(pins_.ground, "GND", PinRole::Ground).pin(pins_.vcc, "VCC", PinRole::Vcc).take();
}

} // namespace quarvin::sim
