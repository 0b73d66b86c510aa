#include "sim/families/flash29ee/EE29Chip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>
#include <limits>

namespace quarvin::sim {

namespace {

constexpr std::uint8_t kNoCode = 0xFF; // generic models: nothing to identify
constexpr int kWinbondPowerOnUs = 10'000; // the Winbond data sheets' power-on write time-out

// The parts with a maker's name carry their data sheets' codes and page sizes;
// the others are generic models of rows no known part fits.
const EE29Type kTypes[] = {
    {"29EE256", 28, 15, 64, kNoCode, kNoCode, 0},
    {"29EE257", 32, 15, 64, kNoCode, kNoCode, 0},
    {"SST29EE512", 32, 16, 128, 0xBF, 0x5D, 0},
    {"W29EE512", 32, 16, 128, 0xDA, 0xC8, kWinbondPowerOnUs},
    {"SST29EE010", 32, 17, 128, 0xBF, 0x07, 0},
    {"W29EE011", 32, 17, 128, 0xDA, 0xC1, kWinbondPowerOnUs},
    {"SST29EE020", 32, 18, 128, 0xBF, 0x10, 0},
    {"W29C020", 32, 18, 128, 0xDA, 0x45, kWinbondPowerOnUs},
    {"W29C040", 32, 19, 256, 0xDA, 0x46, kWinbondPowerOnUs},
    {"29EE040A", 32, 19, 256, kNoCode, kNoCode, 0},
};

} // namespace

const EE29Type* FindEE29Type(const std::string& name) {
    for (const EE29Type& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

EE29Chip::EE29Chip(const EE29Type& type)
    : type_(type), pinout_(JedecPinoutOf(type.pins)), cells_(std::size_t{1} << type.addressBits, 0xFF) {}

void EE29Chip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    markChanged();
}

bool EE29Chip::loadExtraState(const std::vector<std::uint8_t>& state) {
    if (state.size() > 1) return false;
    protected_ = !state.empty() && state[0] != 0;
    return true;
}

bool EE29Chip::locked(std::uint32_t a) const {
    for (const AddressRange& r : faults().protect)
        if (r.contains(a)) return true;
    return false;
}

void EE29Chip::startBusy(Busy kind, std::int64_t at, std::int64_t lastingPs) {
    busy_ = kind;
    busyUntil_ = at + static_cast<std::int64_t>(static_cast<double>(lastingPs) * std::max(1.0, faults().eraseTimeFactor));
    if (faults().busyForever) busyUntil_ = std::numeric_limits<std::int64_t>::max();
}

void EE29Chip::finishBusy() {
    // A boot block locked out disables the chip erase altogether.
    if (busy_ == Busy::Erase && faults().protect.empty()) {
        std::fill(cells_.begin(), cells_.end(), 0xFF);
        markChanged();
    }
    busy_ = Busy::None;
}

// A page write erases the whole page and programs the bytes loaded: a byte not
// loaded reads 0xFF after it. Locked cells keep what they hold; a cell that
// will not program stays erased.
void EE29Chip::writePage(const std::vector<PageLoad>& loads, std::size_t from) {
    if (from >= loads.size()) return;
    const auto pageSize = static_cast<std::uint32_t>(type_.pageSize);
    const std::uint32_t page = loads[from].first & ~(pageSize - 1);
    for (std::uint32_t a = page; a < page + pageSize; ++a)
        if (!locked(a)) cells_[a] = 0xFF;
    StorePageLoads(cells_, loads, from, pageSize,
                   [this](std::uint32_t a) { return locked(a) || faults().programBlocked(a); });
    markChanged();
}

// The load window has closed: carry out what the page's loads ask for.
void EE29Chip::endPage(const std::vector<PageLoad>& loads, std::int64_t at) {
    const DecodedPage page = DecodePageLoads(loads, static_cast<std::uint32_t>(cells_.size() - 1), protected_);
    switch (page.command) {
    case PageCommand::ProtectionOff:
        protected_ = false;
        startBusy(Busy::Write, at, WriteCyclePs);
        return;
    case PageCommand::ChipErase: startBusy(Busy::Erase, at, ChipErasePs); return;
    case PageCommand::ProtectedWrite: protected_ = true; [[fallthrough]];
    case PageCommand::PlainWrite:
        writePage(loads, page.dataFrom);
        startBusy(Busy::Write, at, WriteCyclePs);
        return;
    case PageCommand::Ignored: return;
    }
}

std::uint8_t EE29Chip::readValue(const ChipView& v, std::uint32_t a) const {
    if (busy()) return bus_.busyStatus();
    if (v.vppAt(pinout_.a9()) >= IdentifyMillivolts) return v.high(pinout_.a0()) ? type_.device : type_.maker;
    return faults().applyStuck(a, cells_[a]);
}

ChipDrive EE29Chip::update(const ChipView& v) {
    ChipDrive out;
    const bool powered = v.hasVcc(pinout_.vcc) && v.hasGround(pinout_.ground) && v.vccMillivolts >= 4500;
    if (!powered) {
        // A write or erase cut off by the supply leaves the cells as they were.
        bus_.powerLost();
        busy_ = Busy::None;
        powered_ = false;
        return out;
    }
    if (!powered_) poweredSincePs_ = v.nowPs;
    powered_ = true;
    const bool writeInhibit = v.nowPs - poweredSincePs_ < std::int64_t{type_.powerUpWriteDelayUs} * 1'000'000;
    if (auto page = bus_.closedPage(v.nowPs, LoadTimeoutPs)) endPage(page->loads, page->atPs);
    if (busy() && v.nowPs >= busyUntil_) finishBusy();
    const std::uint32_t a = pinout_.addressOf(v, type_.addressBits);
    if (!bus_.follow(v, pinout_, a, !busy() && !writeInhibit)) return out;
    pinout_.driveData(out, readValue(v, a));
    return out;
}

// Unconfirmed: the absolute maximum tables of the SST 29EE and Winbond
// 29EE/29C data sheets were not at hand. The figures are kept as first written:
// SST "D.C. voltage on any pin to ground potential -0.5 V to VDD + 0.5 V;
// voltage on A9 pin to ground potential -0.5 V to 14.0 V"; Winbond "voltage on
// all pins with respect to ground -0.5 to +7.0 V; voltage on A9 pin with
// respect to ground -0.5 to +12.5 V". Nothing is known of the unpowered pins,
// so the socket check tests none of them.
ChipRatings EE29Chip::ratings() const {
    const bool winbond = type_.name[0] == 'W';
    ChipRatings r = ProgrammableRatings(pinout_.vcc, pinout_.ground, rating::Signal7V,
                                        winbond ? UnpoweredInputs::Tolerated : UnpoweredInputs::Forbidden, 0, 0,
                                        pinout_.a9(), winbond ? rating::Id12V5 : rating::Id14V);
    r.unpoweredPinsConfirmed = false;
    return r;
}

quarvin::Pinout EE29Chip::pinLabels() const { return pinout_.labels(type_.addressBits); }

} // namespace quarvin::sim
