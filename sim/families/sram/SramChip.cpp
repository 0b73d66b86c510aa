#include "sim/families/sram/SramChip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>

namespace quarvin::sim {

namespace {

constexpr int kMinimumVccMillivolts = 4500;

// Chip pins of A0.. and D0..D7 by package.
struct Package {
    int pins;
    std::vector<int> address;
    int data[8];
    int ground, vcc, chipEnable, outputEnable, writeEnable;
};

const Package kPackages[] = {
    {24, {8, 7, 6, 5, 4, 3, 2, 1, 23, 22, 19}, {9, 10, 11, 13, 14, 15, 16, 17}, 12, 24, 18, 20, 21},
    {28, {10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 1}, {11, 12, 13, 15, 16, 17, 18, 19}, 14, 28, 20, 22, 27},
    {32, {12, 11, 10, 9, 8, 7, 6, 5, 27, 26, 23, 25, 4, 28, 3, 31, 2, 30, 1}, {13, 14, 15, 17, 18, 19, 20, 21}, 16, 32,
     22, 24, 29},
};

const Package& PackageOf(int pins) {
    for (const Package& p : kPackages)
        if (p.pins == pins) return p;
    return kPackages[0];
}

} // namespace

const std::vector<SramType>& SramTypes() {
    static const std::vector<SramType> types = {
        {"DS1220AB", 24, 11, 0, true},  {"HM6116", 24, 11, 0, false},   {"DS1225AB", 28, 13, 0, true},
        {"HM6264", 28, 13, 26, false},  {"W24129A", 28, 14, 0, false},  {"DS1230Y", 28, 15, 0, true},
        {"HM62256", 28, 15, 0, false},  {"W24257", 28, 15, 0, false},   {"W24512A", 32, 16, 30, false},
        {"DS1245Y", 32, 17, 0, true},   {"HM628128", 32, 17, 30, false}, {"DS1249Y", 32, 18, 0, true},
        {"DS1250Y", 32, 19, 0, true},   {"HM628512", 32, 19, 0, false},
    };
    return types;
}

const SramType* FindSramType(const std::string& name) {
    for (const SramType& t : SramTypes())
        if (name == t.name) return &t;
    return nullptr;
}

SramChip::SramChip(const SramType& type)
    : type_(type), cells_(std::size_t{1} << type.addressBits, 0),
      random_(static_cast<std::mt19937::result_type>(std::hash<std::string>{}(type.name))) {
    fillRandom();
}

void SramChip::fillRandom() {
    // A battery-backed part delivered new holds whatever its cells came up with,
    // like a plain one at power-up.
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& c : cells_) c = static_cast<std::uint8_t>(byte(random_));
    leaks_.clear();
    markChanged();
}

std::uint32_t SramChip::address(const ChipView& v) const {
    const Package& p = PackageOf(type_.pins);
    std::uint32_t a = 0;
    for (int b = 0; b < type_.addressBits; ++b)
        if (v.high(p.address[static_cast<std::size_t>(b)])) a |= 1u << b;
    // Lines wired together: a line driven low pulls the other low too.
    for (const ShortedLines& s : faults().shorts) {
        if (s.a >= type_.addressBits || s.b >= type_.addressBits) continue;
        const std::uint32_t both = (1u << s.a) | (1u << s.b);
        if ((a & both) != both) a &= ~both;
    }
    return a;
}

std::uint8_t SramChip::dataPins(const ChipView& v) const {
    const Package& p = PackageOf(type_.pins);
    std::uint8_t d = 0;
    for (int b = 0; b < 8; ++b)
        if (v.high(p.data[b])) d = static_cast<std::uint8_t>(d | (1u << b));
    return d;
}

void SramChip::settleLeaks(std::int64_t nowPs) {
    std::erase_if(leaks_, [&](const PendingLeak& l) {
        if (nowPs < l.revertAtPs) return false;
        cells_[l.address] = l.former;
        markChanged();
        return true;
    });
}

void SramChip::write(std::uint32_t a, std::uint8_t d, std::int64_t nowPs) {
    for (const LeakyCell& l : faults().leaky)
        if (l.address == a)
            leaks_.push_back({a, cells_[a], nowPs + static_cast<std::int64_t>(l.microseconds * 1e6)});
    cells_[a] = d;
    markChanged();
}

ChipDrive SramChip::update(const ChipView& v) {
    ChipDrive out;
    const Package& p = PackageOf(type_.pins);
    const bool powered = v.hasVcc(p.vcc) && v.hasGround(p.ground) && v.vccMillivolts >= kMinimumVccMillivolts;
    if (!powered) {
        powered_ = false;
        writing_ = false;
        return out;
    }
    if (!powered_) {
        powered_ = true;
        if (!type_.batteryBacked) fillRandom();
    }
    if (faults().dead) return out;
    settleLeaks(v.nowPs);
    const bool selected = v.low(p.chipEnable) && (type_.secondEnablePin == 0 || v.high(type_.secondEnablePin));
    const bool writeWindow = selected && v.low(p.writeEnable);
    if (writeWindow) {
        // Address and data are taken as they stand when the window closes.
        writeAddress_ = address(v);
        writeData_ = dataPins(v);
    } else if (writing_) {
        write(writeAddress_, writeData_, v.nowPs);
    }
    writing_ = writeWindow;
    if (!selected || writeWindow || v.high(p.outputEnable)) return out;
    const std::uint32_t a = address(v);
    const std::uint8_t value = faults().applyStuck(a, cells_[a]);
    for (int b = 0; b < 8; ++b) out.drive(p.data[b], (value >> b) & 1);
    return out;
}

// Hitachi HM628128A data sheet (January 1995), "Absolute Maximum Ratings":
// "Supply voltage relative to VSS VCC -0.5 to +7.0 V", "Voltage on any pin
// relative to VSS VT -0.5 to VCC + 0.3 V". Its signal pins are rated against
// Vcc: a pin at VIH while Vcc is 0 V is beyond the rating, and the pins clamp
// to the supply. No HM628512 data sheet at hand showed its ratings: its
// figures are kept as first written (the same "Vcc + 0.3 V"), unconfirmed.
// The smaller parts ("terminal voltage relative to Vss -0.5 to +7.0 V") and the
// battery-backed modules ("voltage on any pin relative to ground -0.3 V to
// +7.0 V"; their inputs are locked out while Vcc is below the power-fail level)
// are unconfirmed too; another maker's 6116, IDT's, adds to its "-0.5 to +7.0 V"
// that "VTERM must not exceed VCC +0.5V": the ground-only rating of the smaller
// parts may be too lax. Nothing is known of their unpowered pins, so the socket
// check tests none of them.
ChipRatings SramChip::ratings() const {
    const std::string name = type_.name;
    const bool confirmed = name == "HM628128";
    const bool vccRelative = confirmed || name == "HM628512";
    ChipRatings r = SupplyRatings(type_.pins, type_.pins / 2, rating::Signal7V,
                                  vccRelative ? UnpoweredInputs::Forbidden : UnpoweredInputs::Tolerated);
    r.unpoweredPinsConfirmed = confirmed;
    return r;
}

quarvin::Pinout SramChip::pinLabels() const {
    const Package& package = PackageOf(type_.pins);
    ByteWidePins p{type_.pins, {}, {package.data, package.data + 8}, package.vcc, package.ground,
                   package.chipEnable, package.outputEnable, package.writeEnable};
    for (int b = 0; b < type_.addressBits; ++b) p.address.push_back(package.address[static_cast<std::size_t>(b)]);
    quarvin::Pinout labels = ByteWidePinLabels(p);
    if (type_.secondEnablePin) labels[static_cast<std::size_t>(type_.secondEnablePin - 1)] = {"CE2", PinRole::Control};
    return labels;
}

} // namespace quarvin::sim
