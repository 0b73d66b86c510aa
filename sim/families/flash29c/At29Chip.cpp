#include "sim/families/flash29c/At29Chip.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "sim/ChipRatings.h"
#include "sim/PinLabels.h"

namespace quarvin::sim {

namespace {

// AT29C256 DIP (doc 0046O "Pin Configurations, DIP Top View"): /WE on pin 1,
// A12 on 2, A7..A0 on 3..10, I/O0..2 on 11..13, GND 14, I/O3..7 on 15..19, /CE
// 20, A10 21, /OE 22, A11 23, A9 24, A8 25, A13 26, A14 27, Vcc 28: the EPROM
// order, not the 28C EEPROM's (A14 on 1, /WE on 27).
constexpr int kAddressAt29c256[] = {10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 27};
constexpr JedecPinout kAt29c256Pinout{28, 28, 14, 20, 22, 1, kAddressAt29c256, 15};

// Maker 1F and device codes: AT29C256 "Operating Modes" note 4 (1F, DC);
// AT29C040A (doc 0333I) "Operating Modes" note 4 (1F, A4). Pages: 64 bytes
// (AT29C256 "Program": A0..A5 address the byte in the page); 256 bytes
// (AT29C040A "2048 sectors (256 bytes/sector)"). The protection codes below are
// the same on both parts (AT29C040A "Software Data Protection Enable/Disable
// Algorithm", page 10: AA 55 A0, and AA 55 80 AA 55 20, on A14..A0).
const At29Type kTypes[] = {
    {"AT29C256", kAt29c256Pinout, 15, 64, 0x1F, 0xDC},
    {"AT29C040A", JedecPinoutOf(32), 19, 256, 0x1F, 0xA4},
};

// The software codes, on A0..A14 ("Address Format: A14 - A0").
constexpr std::uint32_t kCommandMask = 0x7FFF;

bool StartsWith(const std::vector<PageLoad>& loads, std::initializer_list<PageLoad> code) {
    if (loads.size() < code.size()) return false;
    std::size_t i = 0;
    for (const PageLoad& c : code) {
        if ((loads[i].first & kCommandMask) != c.first || loads[i].second != c.second) return false;
        ++i;
    }
    return true;
}

bool SixByteCode(const std::vector<PageLoad>& loads, std::uint8_t last) {
    return StartsWith(loads, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80}, {0x5555, 0xAA}, {0x2AAA, 0x55},
                              {0x5555, last}});
}

bool ThreeByteCode(const std::vector<PageLoad>& loads, std::uint8_t last) {
    return StartsWith(loads, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, last}});
}

constexpr std::uint8_t kProtectOn = 0xA0, kProtectOff = 0x20, kIdEntry = 0x90, kIdExit = 0xF0;

} // namespace

const At29Type* FindAt29Type(const std::string& name) {
    for (const At29Type& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

At29Chip::At29Chip(const At29Type& type) : type_(type), cells_(std::size_t{1} << type.addressBits, 0xFF) {}

void At29Chip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    markChanged();
}

bool At29Chip::loadExtraState(const std::vector<std::uint8_t>& state) {
    if (state.size() > 1) return false;
    protected_ = !state.empty() && state[0] != 0;
    return true;
}

// "Following the initiation of a program cycle, the device will automatically
// erase the page and then program the latched data"; "any byte that is not
// loaded during the programming of its page will be indeterminate": here it
// reads erased. Loads outside the page of the first one are lost ("A6 to A14
// specify the page address ... during each high-to-low transition of WE").
void At29Chip::writePage(const std::vector<PageLoad>& loads, std::size_t from) {
    if (from >= loads.size()) return;
    const auto pageSize = static_cast<std::uint32_t>(type_.pageSize);
    const std::uint32_t page = loads[from].first & ~(pageSize - 1);
    std::fill(cells_.begin() + page, cells_.begin() + page + pageSize, 0xFF);
    for (std::size_t i = from; i < loads.size(); ++i) {
        const auto [a, d] = loads[i];
        if ((a & ~(pageSize - 1)) == page && !faults().programBlocked(a)) cells_[a] = d;
    }
    markChanged();
}

// The load period has ended: carry out what its loads ask for. "All software
// program commands must obey the page program timing specifications", so a code
// counts only when it opens the load period.
void At29Chip::endPage(const std::vector<PageLoad>& loads, std::int64_t at) {
    if (ThreeByteCode(loads, kIdEntry) && loads.size() == 3) {
        identifying_ = true;
        return;
    }
    if (ThreeByteCode(loads, kIdExit) && loads.size() == 3) {
        identifying_ = false;
        return;
    }
    if (ThreeByteCode(loads, kProtectOn)) {
        // "Data Protect state will be re-activated at end of program cycle."
        writePage(loads, 3);
        protected_ = true;
    } else if (SixByteCode(loads, kProtectOff)) {
        // The disable code is followed by the page's data ("64 bytes of data MUST
        // BE loaded"); the protection goes at the end of the program period.
        if (loads.size() > 6) {
            writePage(loads, 6);
            protected_ = false;
        }
    } else if (!protected_) {
        writePage(loads, 0);
    }
    // "After setting SDP, any attempt to write to the device without the
    // three-byte command sequence will start the internal write timers. No data
    // will be written."
    busy_ = true;
    const double slower = std::max(1.0, faults().eraseTimeFactor);
    busyUntil_ = at + static_cast<std::int64_t>(static_cast<double>(WriteCyclePs) * slower);
    if (faults().busyForever) busyUntil_ = std::numeric_limits<std::int64_t>::max();
}

std::uint8_t At29Chip::readValue(const ChipView& v, std::uint32_t a) const {
    if (busy_) return bus_.busyStatus();
    const bool highVoltageId = v.vppAt(type_.pinout.a9()) >= IdentifyMillivolts;
    if (highVoltageId || identifying_) return v.high(type_.pinout.a0()) ? type_.device : type_.maker;
    return faults().applyStuck(a, cells_[a]);
}

ChipDrive At29Chip::update(const ChipView& v) {
    ChipDrive out;
    const JedecPinout& pins = type_.pinout;
    // "Vcc sense: if Vcc is below 3.8 V (typical), the program function is inhibited."
    const bool powered = v.hasVcc(pins.vcc) && v.hasGround(pins.ground) && v.vccMillivolts >= 4500;
    if (!powered) {
        // A program cycle cut off by the supply leaves the cells as they were;
        // "the device does not remain in identification mode if powered down".
        bus_.powerLost();
        busy_ = false;
        identifying_ = false;
        powered_ = false;
        return out;
    }
    if (!powered_) poweredSincePs_ = v.nowPs;
    powered_ = true;
    const bool writeInhibit = v.nowPs - poweredSincePs_ < PowerOnDelayPs;
    if (auto page = bus_.closedPage(v.nowPs, LoadWindowPs)) endPage(page->loads, page->atPs);
    if (busy_ && v.nowPs >= busyUntil_) busy_ = false;
    const std::uint32_t a = pins.addressOf(v, type_.addressBits);
    if (!bus_.follow(v, pins, a, !busy_ && !writeInhibit)) return out;
    pins.driveData(out, readValue(v, a));
    return out;
}

// AT29C256 "Absolute Maximum Ratings": "all input voltages (including NC pins)
// with respect to ground -0.6 V to +6.25 V; all output voltages with respect to
// ground -0.6 V to Vcc + 0.6 V; voltage on OE with respect to ground -0.6 V to
// +13.5 V". A9 takes VH = 12.0 V +- 0.5 V for the product identification. The
// data pins are outputs too: they are rated against Vcc.
ChipRatings At29Chip::ratings() const {
    const JedecPinout& pins = type_.pinout;
    ChipRatings r = ProgrammableRatings(pins.vcc, pins.ground, rating::Signal6V25, UnpoweredInputs::Tolerated, 0, 0,
                                        pins.a9(), rating::Id12V5);
    r.id |= pinBit(pins.outputEnable);
    for (int bit = 0; bit < 8; ++bit) r.vccRelative |= pinBit(pins.dataPin(bit));
    return r;
}

quarvin::Pinout At29Chip::pinLabels() const { return type_.pinout.labels(type_.addressBits); }

} // namespace quarvin::sim
