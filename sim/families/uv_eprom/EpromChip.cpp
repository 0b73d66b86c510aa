#include "sim/families/uv_eprom/EpromChip.h"

#include "sim/ChipRatings.h"
#include "sim/PinLabels.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace quarvin::sim {

namespace {

// Address pins A0.. of the three packages (chip pin numbers).
constexpr int kAddress24[] = {8, 7, 6, 5, 4, 3, 2, 1, 23, 22, 19, 21};
constexpr int kAddress28[] = {10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 27, 1};
constexpr int kAddress32[] = {12, 11, 10, 9, 8, 7, 6, 5, 27, 26, 23, 25, 4, 28, 29, 3, 2, 30, 31, 1};

template <std::size_t N>
int pick(const int (&pins)[N], int b) {
    return b >= 0 && b < static_cast<int>(N) ? pins[b] : 0;
}

constexpr int kA9 = 9;

const std::vector<EpromType> kTypes = {
    // name      pins bits  /CE /OE Vpp /PGM strobe                          mfg   device
    {"2716",     24, 11,    18, 20, 21,  0, EpromStrobe::ChipEnableHigh,     0x00, 0x00},
    {"2732",     24, 12,    18, 20, 20,  0, EpromStrobe::ChipEnableLow,      0x00, 0x00},
    {"2764",     28, 13,    20, 22,  1, 27, EpromStrobe::ProgramLow,         0x89, 0x02},
    {"27128",    28, 14,    20, 22,  1, 27, EpromStrobe::ProgramLow,         0x89, 0x83},
    {"27C256",   28, 15,    20, 22,  1,  0, EpromStrobe::ChipEnableLow,      0x20, 0x8D},
    {"27C512",   28, 16,    20, 22, 22,  0, EpromStrobe::ChipEnableLow,      0x20, 0x3D},
    {"27C513",   28, 16,    20, 22, 22,  0, EpromStrobe::ChipEnableLow,      0x20, 0x0D},
    {"27C010",   32, 17,    22, 24,  1, 31, EpromStrobe::ProgramLow,         0x20, 0x0E},
    {"27C020",   32, 18,    22, 24,  1, 31, EpromStrobe::ProgramLow,         0x20, 0x1D},
    {"27C040",   32, 19,    22, 24,  1,  0, EpromStrobe::ChipEnableLow,      0x20, 0x41},
    {"27C080",   32, 20,    22, 24, 24,  0, EpromStrobe::ChipEnableLow,      0x20, 0x80},
};

} // namespace

int EpromType::addressPin(int b) const {
    if (b >= addressBits) return 0;
    switch (pins) {
    case 24: return pick(kAddress24, b);
    case 28: return pick(kAddress28, b);
    default: return pick(kAddress32, b);
    }
}

int EpromType::dataPin(int b) const {
    // D0..D2 sit just above ground, D3..D7 just after it.
    const int g = groundPin();
    return b < 3 ? g - 3 + b : g + 1 + (b - 3);
}

const std::vector<EpromType>& EpromTypes() { return kTypes; }

const EpromType* FindEpromType(const std::string& name) {
    for (const auto& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

EpromChip::EpromChip(const EpromType& type, int vppMillivolts, std::string label)
    : type_(type), vppMillivolts_(vppMillivolts), label_(label.empty() ? type.name : std::move(label)),
      cells_(type.size(), 0xFF) {}

void EpromChip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    weakPulses_ = 0;
    markChanged();
}

std::uint32_t EpromChip::address(const ChipView& v) const {
    std::uint32_t a = 0;
    for (int b = 0; b < type_.addressBits; ++b)
        if (v.high(type_.addressPin(b))) a |= 1u << b;
    return a;
}

std::uint8_t EpromChip::dataIn(const ChipView& v) const {
    std::uint8_t d = 0;
    for (int b = 0; b < 8; ++b)
        if (v.high(type_.dataPin(b))) d = static_cast<std::uint8_t>(d | (1u << b));
    return d;
}

bool EpromChip::vppValid(const ChipView& v) const {
    const int at = v.vppAt(type_.vpp);
    return at > 0 && std::abs(at - vppMillivolts_) <= VppToleranceMillivolts;
}

bool EpromChip::strobeActive(const ChipView& v) const {
    const bool sharedVpp = type_.vpp == type_.outputEnable;
    const bool oeHigh = sharedVpp || v.high(type_.outputEnable);
    switch (type_.strobe) {
    case EpromStrobe::ChipEnableHigh: return oeHigh && v.high(type_.chipEnable);
    case EpromStrobe::ChipEnableLow: return oeHigh && v.low(type_.chipEnable);
    case EpromStrobe::ProgramLow: return oeHigh && v.low(type_.chipEnable) && v.low(type_.program);
    }
    return false;
}

void EpromChip::pulse(std::uint32_t a, std::uint8_t data) {
    ++pulses_;
    if (faults().programBlocked(a)) return;
    if (faults().isWeak(a)) {
        // A weak cell only takes after its extra pulses at the same address.
        if (weakAddress_ != a) weakPulses_ = 0;
        weakAddress_ = a;
        if (++weakPulses_ <= faults().weakExtraPulses) return;
    }
    const std::uint8_t before = cells_[a];
    cells_[a] &= data;
    if (cells_[a] != before) markChanged();
}

ChipDrive EpromChip::update(const ChipView& v) {
    ChipDrive out;
    const bool powered = v.hasVcc(type_.vccPin()) && v.hasGround(type_.groundPin()) && v.vccMillivolts >= 4500;
    if (!powered) {
        strobe_ = false;
        return out;
    }
    const std::uint32_t a = address(v);
    const bool programming = vppValid(v);
    const bool active = programming && strobeActive(v);
    // The cell takes the data on the trailing edge of the pulse.
    if (strobe_ && !active && programming) pulse(a, dataIn(v));
    strobe_ = active;
    if (active) return out;

    // Outputs on with /CE and /OE at logic low; /OE at Vpp keeps them off.
    const bool oeAtVpp = v.vppAt(type_.outputEnable) > 0;
    if (!v.low(type_.chipEnable) || !v.low(type_.outputEnable) || oeAtVpp) return out;
    std::uint8_t value = cells_[a];
    const bool identify = (type_.manufacturer || type_.device) &&
                          v.vppAt(type_.addressPin(kA9)) >= IdentifyMillivolts;
    if (identify) {
        const auto& sig = faults().signature;
        const bool a0 = v.high(type_.addressPin(0));
        value = a0 ? (sig.size() > 1 ? sig[1] : type_.device) : (!sig.empty() ? sig[0] : type_.manufacturer);
    } else {
        value = faults().applyStuck(a, value);
    }
    for (int b = 0; b < 8; ++b) out.drive(type_.dataPin(b), (value >> b) & 1);
    return out;
}

// AMD Am27C256 (publication 08007 rev. J), "Absolute Maximum Ratings",
// voltage with respect to VSS: "All pins except A9, VPP, VCC -0.6 V to VCC +
// 0.6 V; A9 and VPP -0.6 V to 13.5 V; VCC -0.6 V to 7.0 V"; its programming
// notes: "VCC must be applied simultaneously or before VPP, and removed
// simultaneously or after VPP."
// National NMC27C64 (DS008634), "Absolute Maximum Ratings": "All Input
// Voltages except A9 with Respect to Ground +6.5V to -0.6V; All Output
// Voltages with Respect to Ground VCC +1.0V to GND -0.6V; VPP Supply Voltage
// and A9 with Respect to Ground During Programming +14.0V to -0.6V", and the
// same note on VCC before VPP.
// The rows stand for parts of several makers, so the model takes the stricter
// figure of each: 6.5 V on any signal pin (National), 13.5 V on Vpp and A9
// (AMD), and the signal pins rated against Vcc (AMD), so that a pin driven high
// while the part has no supply is a breach.
// The 21 V and 25 V rows are the older NMOS parts, whose data sheets were not at
// hand: their Vpp maximum (the row's voltage + 1.5 V) is unconfirmed.
ChipRatings EpromChip::ratings() const {
    const bool nmos = vppMillivolts_ >= 20000;
    const int vppMax = nmos ? vppMillivolts_ + 1500 : rating::Vpp13V5;
    const int a9 = type_.addressPin(9);
    ChipRatings r = ProgrammableRatings(type_.vccPin(), type_.groundPin(), rating::Signal6V5,
                                        UnpoweredInputs::Forbidden, type_.vpp, vppMax, a9, rating::Id13V5);
    // /PGM is held at Vcc in read mode.
    if (type_.program) r.vccAllowed |= pinBit(type_.program);
    for (int b = 0; b < 8; ++b) r.vccRelative |= pinBit(type_.dataPin(b));
    r.unpoweredPinsConfirmed = !nmos;
    return r;
}

// Unpowered, AMD's rating "all pins except A9, VPP, VCC ... VCC + 0.6 V" shows
// every signal pin clamped to Vcc. National's 27C64 rates only its outputs
// against Vcc and its inputs to a fixed 6.5 V, which a diode to Vcc at 5 V
// would not allow: on a 27C64 only the data pins are tested.
PinMask EpromChip::unpoweredClamps() const {
    const PinMask clamped = Chip::unpoweredClamps();
    return std::string(type_.name) == "2764" ? clamped & ratings().vccRelative : clamped;
}

// The byte-wide EPROM pinout: A0.., O0..O7, /CE, /OE, and Vpp on its own pin or
// on /OE; the 2716 takes its program pulse on CE/PGM.
quarvin::Pinout EpromChip::pinLabels() const {
    PinLabels labels(type_.pins);
    std::vector<int> address, data;
    for (int b = 0; b < type_.addressBits; ++b) address.push_back(type_.addressPin(b));
    for (int b = 0; b < 8; ++b) data.push_back(type_.dataPin(b));
    labels.bus("A", PinRole::Address, address).bus("O", PinRole::Data, data);
    labels.pin(type_.vccPin(), "VCC", PinRole::Vcc).pin(type_.groundPin(), "GND", PinRole::Ground);
    labels.pin(type_.chipEnable, type_.strobe == EpromStrobe::ChipEnableHigh ? "CE/PGM" : "/CE", PinRole::Control);
    if (type_.vpp == type_.outputEnable) {
        labels.pin(type_.vpp, "/OE/VPP", PinRole::Vpp);
    } else {
        labels.pin(type_.outputEnable, "/OE", PinRole::Control).pin(type_.vpp, "VPP", PinRole::Vpp);
    }
    if (type_.program) labels.pin(type_.program, "/PGM", PinRole::Control);
    return labels.take();
}

} // namespace quarvin::sim
