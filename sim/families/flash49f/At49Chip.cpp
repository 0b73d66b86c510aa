#include "sim/families/flash49f/At49Chip.h"

#include <algorithm>

#include "sim/ChipRatings.h"
#include "sim/PinLabels.h"
#include "sim/families/flash29f/Flash32Pins.h"

namespace quarvin::sim {

namespace {

// "Pin Configurations, DIP Top View".
using namespace flash32;
constexpr std::uint32_t kCommandMask = 0x7FFF; // "Address Format: A14 - A0"

// "Operating Modes" note 4: manufacturer 1F, device 13; "Command Definition"
// note 1: the 16K byte boot sector is 00000H to 03FFFH.
const At49Type kTypes[] = {
    {"AT49F040", 19, 0x1F, 0x13, 0x00000, 0x03FFF},
};

constexpr std::uint8_t kUnlock1 = 0xAA, kUnlock2 = 0x55, kProgram = 0xA0, kErase = 0x80, kChipErase = 0x10,
                       kLockout = 0x40, kIdentify = 0x90, kIdentifyExit = 0xF0;

} // namespace

const At49Type* FindAt49Type(const std::string& name) {
    for (const At49Type& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

At49Chip::At49Chip(const At49Type& type) : type_(type), cells_(std::size_t{1} << type.addressBits, 0xFF) {}

void At49Chip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    markChanged();
}

bool At49Chip::loadExtraState(const std::vector<std::uint8_t>& state) {
    if (state.size() != 1 || state[0] > 1) return false;
    locked_ = state[0] == 1;
    return true;
}

std::uint32_t At49Chip::address(const ChipView& v) const {
    std::uint32_t a = 0;
    for (int b = 0; b < type_.addressBits; ++b)
        if (v.high(AddressPins[b])) a |= 1u << b;
    return a;
}

// The data sheet does not say what a chip erase cut short by a power loss
// leaves; the model leaves nothing usable (00), so that no check passes on it.
void At49Chip::finishBusy(bool powerLost) {
    if (busy_ == Busy::Erase) {
        for (std::uint32_t a = 0; a < cells_.size(); ++a)
            if (!(locked_ && inBootBlock(a))) cells_[a] = powerLost ? 0x00 : 0xFF;
        markChanged();
    }
    busy_ = Busy::None;
}

void At49Chip::write(std::uint32_t a, std::uint8_t d, std::int64_t nowPs) {
    if (busy()) return;
    const std::uint32_t c = a & kCommandMask;
    // "Product ID Exit": a single F0 at any address, as well as the three-byte code.
    if (d == kIdentifyExit && state_ != State::Program && (state_ != State::Unlock2 || c == 0x5555)) {
        identifying_ = false;
        state_ = State::Read;
        return;
    }
    const auto expect = [&](std::uint32_t at, std::uint8_t value, State next) {
        state_ = (c == at && d == value) ? next : State::Read;
    };
    switch (state_) {
    case State::Read: expect(0x5555, kUnlock1, State::Unlock1); break;
    case State::Unlock1: expect(0x2AAA, kUnlock2, State::Unlock2); break;
    case State::Unlock2:
        state_ = State::Read;
        if (c != 0x5555) break;
        if (d == kProgram) state_ = State::Program;
        else if (d == kErase) state_ = State::Erase0;
        else if (d == kIdentify) identifying_ = true;
        break;
    case State::Program:
        state_ = State::Read;
        // "Once the feature is enabled, the data in the boot block can no longer
        // be erased or programmed."
        if (locked_ && inBootBlock(a)) break;
        if (faults().programBlocked(a)) break;
        cells_[a] &= d;
        markChanged();
        programmed_ = d;
        busy_ = Busy::Program;
        busyUntil_ = nowPs + static_cast<std::int64_t>(static_cast<double>(ProgramPs) *
                                                       std::max(1.0, faults().eraseTimeFactor));
        break;
    case State::Erase0: expect(0x5555, kUnlock1, State::Erase1); break;
    case State::Erase1: expect(0x2AAA, kUnlock2, State::Erase2); break;
    case State::Erase2:
        state_ = State::Read;
        if (c != 0x5555) break;
        if (d == kChipErase) {
            busy_ = Busy::Erase;
            busyUntil_ = nowPs + static_cast<std::int64_t>(static_cast<double>(ChipErasePs) *
                                                           std::max(1.0, faults().eraseTimeFactor));
        } else if (d == kLockout) {
            locked_ = true;
            busy_ = Busy::Lockout;
            busyUntil_ = nowPs + LockoutPs;
        }
        break;
    }
}

// "Software Product Identification": 00000 the maker, 00001 the device;
// "Boot Block Lockout Detection": 00002 shows the lockout on I/O0 (high:
// locked). The data sheet names no other bit of that read; the model gives 0.
std::uint8_t At49Chip::codeAt(std::uint32_t a) const {
    const auto& sig = faults().signature;
    if (a & (1u << A1)) return locked_ ? 0x01 : 0x00;
    if (a & (1u << A0)) return sig.size() > 1 ? sig[1] : type_.device;
    return !sig.empty() ? sig[0] : type_.maker;
}

ChipDrive At49Chip::update(const ChipView& v) {
    ChipDrive out;
    const bool powered = v.hasVcc(Vcc) && v.hasGround(Ground) && v.vccMillivolts >= MinVccMillivolts;
    if (!powered) {
        if (busy()) finishBusy(true);
        // "The device does not remain in identification mode if powered down."
        state_ = State::Read;
        identifying_ = false;
        weLow_ = ceLow_ = oeLow_ = false;
        return out;
    }
    if (busy() && v.nowPs >= busyUntil_) finishBusy(false);
    const bool ce = v.low(ChipEnable), oe = v.low(OutputEnable), we = v.low(WriteEnable);
    const std::uint32_t a = address(v);
    // A write cycle ends on the rising /WE edge with /CE low and /OE high
    // ("Program inhibit: holding any one of OE low, CE high or WE high").
    if (weLow_ && !we && ce && !oe) {
        write(a, DataIn(v), v.nowPs);
    }
    // "Successive attempts to read data from the device will result in I/O6
    // toggling": one toggle per read cycle, /OE or /CE falling with the other low.
    if (ce && oe && !(ceLow_ && oeLow_)) toggle_ = !toggle_;
    weLow_ = we;
    ceLow_ = ce;
    oeLow_ = oe;
    if (!ce || !oe) return out;

    std::uint8_t value = 0;
    if (busy()) {
        // DATA polling is defined for the program cycle only: I/O7 the
        // complement of the byte loaded. Erase and lockout show the toggle bit.
        const std::uint8_t dq7 = busy_ == Busy::Program ? static_cast<std::uint8_t>(~programmed_ & 0x80) : 0x00;
        value = static_cast<std::uint8_t>(dq7 | (toggle_ ? 0x40 : 0x00));
    } else if (identifying_ || v.vppAt(AddressPins[A9]) >= IdentifyMillivolts) {
        value = codeAt(a);
    } else {
        value = faults().applyStuck(a, cells_[a]);
    }
    DriveData(out, value);
    return out;
}

// "Absolute Maximum Ratings": all input voltages (including NC pins) -0.6 V to
// +6.25 V with respect to ground, so a high input on an unpowered part is
// within them; all output voltages -0.6 V to Vcc + 0.6 V; /OE -0.6 V to +13.5 V.
// A9 takes VH (12.0 V +- 0.5 V, "Operating Modes" note 3) for the hardware
// identification; both are held to the lower 12.5 V.
ChipRatings At49Chip::ratings() const {
    ChipRatings r = ProgrammableRatings(Vcc, Ground, rating::Signal6V25, UnpoweredInputs::Tolerated, 0, 0,
                                        AddressPins[A9], rating::Id12V5);
    r.id |= pinBit(OutputEnable);
    for (int p : DataPins) r.vccRelative |= pinBit(p);
    return r;
}

quarvin::Pinout At49Chip::pinLabels() const {
    ByteWidePins p{pinCount(), {}, {DataPins, DataPins + 8}, Vcc, Ground, ChipEnable, OutputEnable, WriteEnable};
    for (int b = 0; b < type_.addressBits; ++b) p.address.push_back(AddressPins[b]);
    return ByteWidePinLabels(p);
}

} // namespace quarvin::sim
