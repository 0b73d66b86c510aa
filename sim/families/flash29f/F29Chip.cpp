#include "sim/families/flash29f/F29Chip.h"

#include "sim/PinLabels.h"
#include "sim/families/flash29f/Flash32Pins.h"

#include "sim/ChipRatings.h"

#include <algorithm>

#include "sim/ops/ProtectedRanges.h"

namespace quarvin::sim {

namespace {

using namespace flash32;
constexpr int kReset = 1; // RESET# of the boot-block types
constexpr std::uint32_t kKiB = 1024;
constexpr F29Sectors kTop{F29SectorLayout::TopBoot, 0}, kBottom{F29SectorLayout::BottomBoot, 0};
constexpr F29Sectors Uniform(std::uint32_t kib) { return {F29SectorLayout::Uniform, kib * kKiB}; }

// The parts with a maker's name follow their data sheets (codes and sectors);
// the others are generic models of rows no known part fits, with eight equal
// sectors or the common boot-block layout.
const F29Type kTypes[] = {
    {"29F256", 15, 15, false, 0x01, 0x00, Uniform(4)},
    {"29F512", 16, 16, false, 0x01, 0x00, Uniform(8)},
    {"Am29F010B", 17, 17, false, 0x01, 0x20, Uniform(16)},
    {"SST39SF010A", 17, 17, false, 0xBF, 0xB5, Uniform(4)},
    {"SST39SF020A", 18, 18, false, 0xBF, 0xB6, Uniform(4)},
    {"Am29F040B", 19, 19, false, 0x01, 0xA4, Uniform(64)},
    {"M29F040B", 19, 19, false, 0x20, 0xE2, Uniform(64)},
    {"SST39SF040", 19, 19, false, 0xBF, 0xB7, Uniform(4)},
    {"29F001T", 17, 17, true, 0x01, 0x00, kTop},
    {"29F001B", 17, 17, true, 0x01, 0x00, kBottom},
    {"Am29F002BT", 18, 18, true, 0x01, 0xB0, kTop},
    {"Am29F002BB", 18, 18, true, 0x01, 0x34, kBottom},
    {"29F004T", 19, 19, false, 0x01, 0x00, kTop},
    {"29F004B", 19, 19, false, 0x01, 0x00, kBottom},
    {"29F008T", 19, 20, false, 0x01, 0x00, kTop},
    {"29F008B", 19, 20, false, 0x01, 0x00, kBottom},
    // Macronix MX29F040 (PM0538 rev. 2.0): "Table 3. Expanded Silicon ID Code"
    // C2 and A4; "Sector Structure": eight sectors of 64 Kbytes; AC
    // characteristics: tAVT (programming) 210 us max, tAETC (chip erase) 32 s
    // max, tAETB (sector erase) 10.4 s max, the model taking the longest;
    // "Table 1" note 3: commands on A10..A0 (555H, 2AAH), A11..A18 don't care;
    // "Absolute Maximum Ratings": inputs and outputs -0.5 V to 7.0 V (with
    // respect to ground only), "A9 & OE -0.5V to 13.5V".
    {"MX29F040", 19, 19, false, 0xC2, 0xA4, Uniform(64),
     {210'000'000, 32'000'000'000'000LL, 10'400'000'000'000LL}, 0x7FF,
     F29PinRatings{rating::Signal7V, UnpoweredInputs::Tolerated, rating::Id13V5}},
};

} // namespace

const F29Type* FindF29Type(const std::string& name) {
    for (const F29Type& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

F29Chip::F29Chip(const F29Type& type) : type_(type), cells_(std::size_t{1} << type.cellBits, 0xFF) {}

void F29Chip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    markChanged();
}

std::vector<std::uint8_t> F29Chip::extraState() const { return SaveProtectedRanges(faults()); }

bool F29Chip::loadExtraState(const std::vector<std::uint8_t>& state) { return LoadProtectedRanges(faults(), state); }

std::uint32_t F29Chip::address(const ChipView& v) const {
    std::uint32_t a = 0;
    for (int b = 0; b < type_.addressBits; ++b)
        if (!(type_.resetPin && AddressPins[b] == kReset) && v.high(AddressPins[b])) a |= 1u << b;
    return a & static_cast<std::uint32_t>(cells_.size() - 1);
}

SectorSpan F29Chip::sectorOf(std::uint32_t a) const {
    return SectorOf(type_.sectors, static_cast<std::uint32_t>(cells_.size()), a);
}

// Protection is per sector: a protected range keeps every sector it touches.
bool F29Chip::isProtected(const SectorSpan& sector, const ChipView& v) const {
    if (type_.resetPin && v.vppAt(kReset) >= HighVoltageMillivolts) return false;
    for (const AddressRange& r : faults().protect)
        if (sector.overlaps(r.first, r.last)) return true;
    return false;
}

void F29Chip::finishBusy(bool powerLost) {
    if (busy_ == Busy::Erase) {
        for (std::uint32_t a = eraseFirst_; a <= eraseLast_; ++a)
            if (!eraseKeep_[a - eraseFirst_]) cells_[a] = powerLost ? 0x00 : 0xFF;
        markChanged();
    }
    busy_ = Busy::None;
}

void F29Chip::write(std::uint32_t a, std::uint8_t d, const ChipView& v) {
    if (busy()) return;
    // F0 resets from any command state but the program byte itself.
    if (d == 0xF0 && state_ != State::Program) {
        state_ = State::Read;
        return;
    }
    // The command addresses as the part decodes them (5555 is 555 to a part
    // that looks at A10..A0 only).
    const auto at = [&](std::uint32_t commandAddress) {
        return (a & type_.commandMask) == (commandAddress & type_.commandMask);
    };
    const auto expect = [&](std::uint32_t commandAddress, std::uint8_t value, State next) {
        state_ = (at(commandAddress) && d == value) ? next : State::Read;
    };
    const double factor = std::max(1.0, faults().eraseTimeFactor);
    switch (state_) {
    case State::Read:
    case State::Codes: expect(0x5555, 0xAA, State::Unlock1); break;
    case State::Unlock1: expect(0x2AAA, 0x55, State::Unlock2); break;
    case State::Unlock2:
        state_ = State::Read;
        if (!at(0x5555)) break;
        if (d == 0xA0) state_ = State::Program;
        else if (d == 0x80) state_ = State::Erase0;
        else if (d == 0x90) state_ = State::Codes;
        break;
    case State::Program:
        state_ = State::Read;
        if (isProtected(sectorOf(a), v) || faults().programBlocked(a)) break;
        cells_[a] &= d;
        markChanged();
        programmed_ = d;
        busy_ = Busy::Program;
        busyUntil_ = v.nowPs + static_cast<std::int64_t>(static_cast<double>(type_.timing.programPs) * factor);
        break;
    case State::Erase0: expect(0x5555, 0xAA, State::Erase1); break;
    case State::Erase1: expect(0x2AAA, 0x55, State::Erase2); break;
    case State::Erase2: {
        state_ = State::Read;
        std::int64_t erasePs = type_.timing.sectorErasePs;
        if (d == 0x10 && at(0x5555)) {
            erasePs = type_.timing.chipErasePs;
            eraseFirst_ = 0;
            eraseLast_ = static_cast<std::uint32_t>(cells_.size() - 1);
        } else if (d == 0x30) {
            const SectorSpan sector = sectorOf(a);
            eraseFirst_ = sector.first;
            eraseLast_ = sector.last;
        } else {
            break;
        }
        eraseKeep_.assign(eraseLast_ - eraseFirst_ + 1, false);
        for (std::uint32_t x = eraseFirst_; x <= eraseLast_;) {
            const SectorSpan sector = sectorOf(x);
            if (isProtected(sector, v))
                std::fill(eraseKeep_.begin() + static_cast<std::ptrdiff_t>(sector.first - eraseFirst_),
                          eraseKeep_.begin() + static_cast<std::ptrdiff_t>(sector.last - eraseFirst_ + 1), true);
            x = sector.last + 1;
        }
        busy_ = Busy::Erase;
        busyUntil_ = v.nowPs + static_cast<std::int64_t>(static_cast<double>(erasePs) * factor);
        break;
    }
    }
}

ChipDrive F29Chip::update(const ChipView& v) {
    ChipDrive out;
    const bool powered = v.hasVcc(Vcc) && v.hasGround(Ground) && v.vccMillivolts >= 4500;
    if (!powered) {
        if (busy()) finishBusy(true);
        state_ = State::Read;
        bus_.release();
        return out;
    }
    if (busy() && v.nowPs >= busyUntil_) finishBusy(false);
    const bool ce = v.low(ChipEnable), oe = v.low(OutputEnable), we = v.low(WriteEnable);
    const std::uint32_t a = address(v);
    if (bus_.follow(ce, oe, we)) write(a, DataIn(v), v);
    // Outputs follow /CE and /OE alone; /OE low only keeps /WE from writing.
    if (!ce || !oe) return out;

    std::uint8_t value = 0;
    if (busy()) {
        value = bus_.busyStatus(busy_ == Busy::Program, programmed_);
    } else if (state_ == State::Codes || v.vppAt(AddressPins[A9]) >= HighVoltageMillivolts) {
        const bool a0 = v.high(AddressPins[A0]);
        const auto& sig = faults().signature;
        value = a0 ? (sig.size() > 1 ? sig[1] : type_.device) : (!sig.empty() ? sig[0] : type_.manufacturer);
    } else {
        value = faults().applyStuck(a, cells_[a]);
    }
    DriveData(out, value);
    return out;
}

// AMD Am29F040B (publication 21445 rev. E), "Absolute Maximum Ratings",
// voltage with respect to ground: "VCC -2.0 V to 7.0 V; A9, OE# -2.0 V to
// 12.5 V; All other pins -2.0 V to 7.0 V", note 1: "Maximum DC voltage on input
// and I/O pins is VCC + 0.5 V" - the pins are rated against Vcc and clamp to it
// when the part is unpowered. Hynix's HY29F400 gives RESET# the same 12.5 V as
// A9 and OE#. SST's data sheets: "D.C. Voltage on Any Pin to Ground Potential
// -0.5V to VDD+0.5V; Voltage on A9 Pin to Ground Potential -0.5V to 13.2V" (the
// SST29SF020/040, S71160; the SST39SF table itself was not at hand). Neither
// has a Vpp pin. The other makers' 29F data sheets of the rows were not at
// hand: AMD's stands for them.
ChipRatings F29Chip::ratings() const {
    if (type_.pinRatings) {
        const F29PinRatings& p = *type_.pinRatings;
        ChipRatings r = ProgrammableRatings(Vcc, Ground, p.signalMaxMillivolts, p.unpoweredInputs, 0, 0,
                                            AddressPins[A9], p.idMaxMillivolts);
        r.id |= pinBit(OutputEnable);
        return r;
    }
    const bool sst = std::string(type_.name).rfind("SST", 0) == 0;
    ChipRatings r = ProgrammableRatings(Vcc, Ground, rating::Signal7V, UnpoweredInputs::Forbidden, 0, 0,
                                        AddressPins[A9], sst ? 13200 : rating::Id12V5);
    if (!sst) {
        r.id |= pinBit(OutputEnable);
        if (type_.resetPin) r.id |= pinBit(kReset);
    }
    return r;
}

// The 32-pin pinout; the boot-block types have RESET# on pin 1.
quarvin::Pinout F29Chip::pinLabels() const {
    ByteWidePins p{pinCount(), {}, {DataPins, DataPins + 8}, Vcc, Ground, ChipEnable, OutputEnable, WriteEnable};
    for (int b = 0; b < type_.addressBits; ++b) p.address.push_back(AddressPins[b]);
    quarvin::Pinout labels = ByteWidePinLabels(p);
    if (type_.resetPin) labels[kReset - 1] = {"RESET#", PinRole::Control};
    return labels;
}

} // namespace quarvin::sim
