#include "sim/families/logic_ic/LogicChip.h"

#include "sim/ChipRatings.h"

#include <cstring>

namespace quarvin::sim {

namespace {

std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t NameHash(const char* name) {
    std::uint64_t h = 1469598103934665603ULL;
    for (const char* c = name; *c; ++c) h = (h ^ static_cast<unsigned char>(*c)) * 1099511628211ULL;
    return h;
}

// A part whose outputs settle through its own pins (a 3-state bus pin read back)
// gets a few rounds to settle; more means it oscillates, and the last round holds.
constexpr int kSettleRounds = 4;

} // namespace

LogicChip::LogicChip(const LogicPart& part, std::uint64_t seed)
    : part_(part), pins_(static_cast<int>(std::strlen(part.pinKinds))), seed_(seed ^ NameHash(part.name)) {
    for (int k = 1; k <= pins_; ++k) {
        switch (part_.pinKinds[k - 1]) {
        case 'O': outputs_ |= pinBit(k); break;
        case 'C': openCollector_ |= pinBit(k); break;
        case 'T': threeState_ |= pinBit(k); break;
        case 'V': vccPin_ = k; break;
        case 'G': groundPin_ = k; break;
        default: break;
        }
    }
}

void LogicChip::powerUp() {
    std::uint64_t x = seed_ + 0x632BE59BD9B4E019ULL * ++powerUps_;
    state_.bits = SplitMix(x);
    for (auto& r : state_.regs) r = static_cast<std::uint32_t>(SplitMix(x));
    drive_ = {};
    powered_ = true;
}

PinMask LogicChip::seenLevels(const ChipView& view) const {
    PinMask levels = (view.level & ~drive_.enable) | (drive_.level & drive_.enable);
    // A pin stuck at a level is held there, for the part's inputs as well.
    for (const StuckPin& s : faults().stuckPins) {
        if (s.pin < 1 || s.pin > pins_) continue;
        if (s.high) levels |= pinBit(s.pin); else levels &= ~pinBit(s.pin);
    }
    return levels;
}

ChipDrive LogicChip::evaluate(PinMask levels, PinMask previous) {
    LogicPins pins(levels, previous);
    part_.evaluate(pins, state_);
    ChipDrive d;
    const PinMask driven = pins.drivenMask();
    const PinMask high = pins.drivenLevels();
    // Push-pull outputs drive what the part says; an open collector only pulls
    // low; a 3-state output drives or lets go. Other pins are never driven.
    d.enable = (driven & (outputs_ | threeState_)) | (driven & ~high & openCollector_);
    d.level = high & d.enable;
    return d;
}

ChipDrive LogicChip::withStuck(ChipDrive d) const {
    for (const StuckPin& s : faults().stuckPins)
        if (s.pin >= 1 && s.pin <= pins_) d.drive(s.pin, s.high);
    return d;
}

ChipDrive LogicChip::update(const ChipView& view) {
    const bool supplied = vccPin_ != 0 && groundPin_ != 0 && view.hasVcc(vccPin_) && view.hasGround(groundPin_) &&
                          !view.hasVcc(groundPin_) && view.vccMillivolts > 0;
    if (!supplied || faults().dead) {
        powered_ = false;
        drive_ = {};
        return {};
    }
    bool fresh = false;
    if (!powered_) {
        powerUp();
        fresh = true;
    }
    PinMask levels = seenLevels(view);
    if (fresh) seen_ = levels; // no edges at power-up
    else if (levels == seen_) return withStuck(drive_);
    for (int round = 0; round < kSettleRounds; ++round) {
        drive_ = evaluate(levels, seen_);
        seen_ = levels;
        levels = seenLevels(view);
        if (levels == seen_) break;
    }
    return withStuck(drive_);
}

constexpr int kTtlInputMaxMillivolts = 5500;

// TTL: TI SN7400/SN74LS00/SN74S00 (SDLS025D), "Absolute Maximum Ratings":
// "Supply voltage, VCC 7 V; Input voltage SNx400 and SNxS400 5.5 V, SNx4LS00
// 7 V" (with respect to the ground terminal). The types of the library stand for
// all three lines, so the model takes the stricter 5.5 V.
// 4000 and 4500 CMOS: unconfirmed. The one CMOS data sheet at hand, the CD4049
// (TI SCHS046I), gives "Supply Voltage (V+ to V-) -0.5V to 20V" and no input
// voltage at all (its inputs are built to exceed VDD); the figures kept here,
// "DC supply voltage -0.5 V to +18 V; input voltage, all inputs -0.5 V to
// VDD + 0.5 V", are the stricter ones, as first written.
ChipRatings LogicChip::ratings() const {
    if (part_.family == LogicClass::Ttl74)
        return SupplyRatings(vccPin_, groundPin_, kTtlInputMaxMillivolts, UnpoweredInputs::Tolerated);
    ChipRatings r = SupplyRatings(vccPin_, groundPin_, rating::Signal7V, UnpoweredInputs::Forbidden);
    r.supplyMaxMillivolts = rating::CmosSupply18V;
    return r;
}

// A bipolar TTL input is the emitter of a transistor whose base is fed from Vcc
// through a resistor, or a Schottky diode pointing into the part: pulled up
// with Vcc at 0 V it blocks, and reads high whether the pin touches or not (the
// SN74LS00 data sheet's input clamp voltage "VIK ... II = -18 mA" is that of a
// diode to ground, not to Vcc). Its
// totem-pole output blocks the same way. CMOS logic clamps as other CMOS parts.
PinMask LogicChip::unpoweredClamps() const {
    return part_.family == LogicClass::Ttl74 ? 0 : Chip::unpoweredClamps();
}

} // namespace quarvin::sim
