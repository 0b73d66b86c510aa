#include "sim/families/eeprom28c/E28Chip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>

namespace quarvin::sim {

namespace {

constexpr int kIdentifyMillivolts = 11500;

const E28Type kTypes[] = {
    {"AT28C64B", 28, 13, 64}, {"AT28C256", 28, 15, 64},  {"28C257", 32, 15, 64},
    {"28C512", 32, 16, 128},  {"AT28C010", 32, 17, 128}, {"28C020", 32, 18, 128},
    {"AT28C040", 32, 19, 256}, {"28C040A", 32, 19, 256},
};

} // namespace

const E28Type* FindE28Type(const std::string& name) {
    for (const E28Type& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

E28Chip::E28Chip(const E28Type& type)
    : type_(type), pinout_(JedecPinoutOf(type.pins)), cells_(std::size_t{1} << type.addressBits, 0xFF) {}

void E28Chip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    markChanged();
}

bool E28Chip::loadExtraState(const std::vector<std::uint8_t>& state) {
    if (state.size() > 1) return false;
    protected_ = !state.empty() && state[0] != 0;
    return true;
}

std::uint32_t E28Chip::address(const ChipView& v) const { return pinout_.addressOf(v, type_.addressBits); }

// The loads of one page are complete: carry out what they ask for.
void E28Chip::endPage(const std::vector<PageLoad>& loads, std::int64_t at) {
    const auto lines = static_cast<std::uint32_t>(cells_.size() - 1);
    const DecodedPage page = DecodePageLoads(loads, lines, protected_);
    switch (page.command) {
    case PageCommand::ProtectionOff: protected_ = false; break;
    case PageCommand::ChipErase:
        std::fill(cells_.begin(), cells_.end(), 0xFF);
        markChanged();
        break;
    case PageCommand::ProtectedWrite: protected_ = true; [[fallthrough]];
    case PageCommand::PlainWrite:
        StorePageLoads(cells_, loads, page.dataFrom, static_cast<std::uint32_t>(type_.pageSize),
                       [this](std::uint32_t a) { return faults().programBlocked(a); });
        markChanged();
        break;
    case PageCommand::Ignored: return; // protected: loads without the prefix are ignored
    }
    busy_ = true;
    busyUntil_ = at + static_cast<std::int64_t>(static_cast<double>(WriteCyclePs) * std::max(1.0, faults().eraseTimeFactor));
}

ChipDrive E28Chip::update(const ChipView& v) {
    ChipDrive out;
    const bool powered = v.hasVcc(pinout_.vcc) && v.hasGround(pinout_.ground) && v.vccMillivolts >= 4500;
    if (!powered) {
        bus_.powerLost();
        busy_ = false;
        return out;
    }
    if (auto page = bus_.closedPage(v.nowPs, LoadWindowPs)) endPage(page->loads, page->atPs);
    if (busy_ && v.nowPs >= busyUntil_) busy_ = false;
    const std::uint32_t a = address(v);
    if (!bus_.follow(v, pinout_, a, !busy_)) return out;
    std::uint8_t value;
    if (busy_) {
        value = bus_.busyStatus();
    } else if (v.vppAt(pinout_.a9()) >= kIdentifyMillivolts) {
        value = 0xFF; // the identification row, never written here
    } else {
        value = faults().applyStuck(a, cells_[a]);
    }
    pinout_.driveData(out, value);
    return out;
}

// Atmel AT28C64B (0270L-PEEPR-2/09), "Absolute Maximum Ratings": "All Input
// Voltages (including NC Pins) with Respect to Ground -0.6V to +6.25V; All
// Output Voltages with Respect to Ground -0.6V to VCC + 0.6V; Voltage on OE and
// A9 with Respect to Ground -0.6V to +13.5V". The data pins are outputs too:
// they are rated against Vcc, the inputs against ground only. Atmel's table
// gives no Vcc maximum; ST's M28C16, a 28C part of another maker, does ("VCC
// Supply Voltage -0.3 to 6.5 V"), and the rows stand for several makers, so
// the model takes 6.5 V. Unpowered, only the data pins are known to clamp to
// Vcc: "ILI Input Load Current VIN = 0V to VCC + 1V 10 uA" rules out a diode
// from an input to Vcc.
ChipRatings E28Chip::ratings() const {
    ChipRatings r = ProgrammableRatings(pinout_.vcc, pinout_.ground, rating::Signal6V25, UnpoweredInputs::Tolerated,
                                        0, 0, pinout_.a9(), rating::Id13V5);
    r.supplyMaxMillivolts = rating::Supply6V5;
    r.id |= pinBit(pinout_.outputEnable);
    for (int k = 1; k <= pinout_.pins; ++k) {
        const int dataFirst = pinout_.ground - 3;
        if ((k >= dataFirst && k < pinout_.ground) || (k > pinout_.ground && k <= pinout_.ground + 5))
            r.vccRelative |= pinBit(k);
    }
    return r;
}

quarvin::Pinout E28Chip::pinLabels() const { return pinout_.labels(type_.addressBits); }

} // namespace quarvin::sim
