#include "sim/families/flash28f/F28Chip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>

#include "sim/ops/ProtectedRanges.h"

namespace quarvin::sim {

namespace {

constexpr int kVpp = 1, kVcc = 32, kGround = 16, kChipEnable = 22, kOutputEnable = 24, kWriteEnable = 31;
// A0..A17; A18 would need pin 1, which is Vpp.
constexpr int kAddressPins[] = {12, 11, 10, 9, 8, 7, 6, 5, 27, 26, 23, 25, 4, 28, 29, 3, 2, 30};
constexpr int kAddressLines = 18;
constexpr int kDataPins[] = {13, 14, 15, 17, 18, 19, 20, 21};
constexpr int kA0 = 0, kA9 = 9;
constexpr int kMinVccMillivolts = 4500;

// Commands of both sets.
constexpr std::uint8_t kRead = 0x00, kCodes = 0x90, kEraseSetup = 0x20, kEraseVerify = 0xA0, kProgramSetup = 0x40,
                       kProgramVerify = 0xC0, kReset = 0xFF;
constexpr std::uint8_t kAltProgramSetup = 0x10, kEraseConfirm = 0xD0, kReadStatus = 0x70, kClearStatus = 0x50;
// Status register bits.
constexpr std::uint8_t kReady = 0x80, kEraseFailed = 0x20, kProgramFailed = 0x10, kVppLow = 0x08;

constexpr F28CommandSet kEv = F28CommandSet::EraseVerify, kSr = F28CommandSet::StatusRegister;

// The named parts carry their makers' codes; 28F257, 28F040 and the 28F008BX
// types are generic models of rows no known part fits, and answer 00,00.
const F28Type kTypes[] = {
    {"28F256A", 15, kEv, 0x89, 0xB9},
    {"Am28F256", 15, kEv, 0x01, 0xA1},
    {"28F257", 15, kEv, 0x00, 0x00},
    {"28F512", 16, kEv, 0x89, 0xB8},
    {"Am28F512", 16, kEv, 0x01, 0x25},
    {"CAT28F512", 16, kEv, 0x31, 0xB8},
    {"28F010", 17, kEv, 0x89, 0xB4},
    {"Am28F010", 17, kEv, 0x01, 0xA7},
    {"CAT28F010", 17, kEv, 0x31, 0xB4},
    {"28F020", 18, kEv, 0x89, 0xBD},
    {"Am28F020", 18, kEv, 0x01, 0x2A},
    {"CAT28F020", 18, kEv, 0x31, 0xBD},
    {"28F040", 19, kEv, 0x00, 0x00},
    {"28F004BX-T", 19, kSr, 0x89, 0x78, F28Blocks::TopBoot},
    {"28F004BX-B", 19, kSr, 0x89, 0x79, F28Blocks::BottomBoot},
    {"28F008BX-T", 20, kSr, 0x00, 0x00, F28Blocks::TopBoot},
    {"28F008BX-B", 20, kSr, 0x00, 0x00, F28Blocks::BottomBoot},
    {"28F008SA", 20, kSr, 0x89, 0xA2, F28Blocks::Uniform64K},
};

} // namespace

const F28Type* FindF28Type(const std::string& name) {
    for (const F28Type& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

F28Chip::F28Chip(const F28Type& type) : type_(type), cells_(std::size_t{1} << type.cellBits, 0xFF) {}

void F28Chip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    markChanged();
}

std::vector<std::uint8_t> F28Chip::extraState() const { return SaveProtectedRanges(faults()); }

bool F28Chip::loadExtraState(const std::vector<std::uint8_t>& state) { return LoadProtectedRanges(faults(), state); }

std::uint32_t F28Chip::reachable() const {
    return std::uint32_t{1} << std::min(type_.cellBits, kAddressLines);
}

std::uint32_t F28Chip::address(const ChipView& v) const {
    std::uint32_t a = 0;
    for (int b = 0; b < std::min(type_.cellBits, kAddressLines); ++b)
        if (v.high(kAddressPins[b])) a |= 1u << b;
    return a;
}

// A protected range (the locked-block fault) keeps its cells from programs and erases.
bool F28Chip::locked(std::uint32_t a) const {
    return std::any_of(faults().protect.begin(), faults().protect.end(),
                       [a](const AddressRange& r) { return r.contains(a); });
}

std::int64_t F28Chip::scaled(std::int64_t ps) const {
    return static_cast<std::int64_t>(static_cast<double>(ps) * std::max(1.0, faults().eraseTimeFactor));
}

// Ends the erase or program pulse under way: its time counts towards the
// erase or towards the byte being programmed.
void F28Chip::endPulse(std::int64_t nowPs) {
    const std::int64_t length = nowPs - pulseStartPs_;
    if (mode_ == Mode::Erasing) {
        eraseDonePs_ += length;
        if (eraseDonePs_ >= scaled(ErasePs)) {
            for (std::uint32_t a = 0; a < cells_.size(); ++a)
                if (!locked(a)) cells_[a] = 0xFF;
            eraseDonePs_ = 0;
            markChanged();
        }
    } else if (mode_ == Mode::Programming) {
        programDonePs_ += length;
        if (programDonePs_ >= scaled(ProgramPs)) {
            if (!locked(programAddress_) && !faults().programBlocked(programAddress_)) {
                cells_[programAddress_] &= programData_;
                markChanged();
            }
            programDonePs_ = 0;
        }
    }
}

void F28Chip::writeEraseVerifySet(std::uint32_t a, std::uint8_t d, const ChipView& v) {
    if (mode_ == Mode::Erasing || mode_ == Mode::Programming) endPulse(v.nowPs);
    const Mode was = mode_;
    if (was == Mode::ProgramSetup) {
        // The byte itself: the pulse starts with this write's rising edge. Pulse
        // time given to another cell before does not count for this one.
        if (a != programAddress_ || d != programData_) programDonePs_ = 0;
        programAddress_ = a;
        programData_ = d;
        pulseStartPs_ = v.nowPs;
        mode_ = Mode::Programming;
        return;
    }
    if (was == Mode::EraseSetup) {
        mode_ = d == kEraseSetup ? Mode::Erasing : Mode::Read;
        pulseStartPs_ = v.nowPs;
        return;
    }
    const bool secondReset = resetArmed_ && d == kReset;
    resetArmed_ = d == kReset && !secondReset;
    switch (d) {
    case kRead: mode_ = Mode::Read; break;
    case kCodes: mode_ = Mode::Codes; break;
    case kEraseSetup: mode_ = Mode::EraseSetup; break;
    case kEraseVerify:
        verifyAddress_ = a;
        mode_ = Mode::EraseVerify;
        break;
    case kProgramSetup: mode_ = Mode::ProgramSetup; break;
    case kProgramVerify: mode_ = Mode::ProgramVerify; break;
    case kReset:
        if (secondReset) mode_ = Mode::Read;
        break;
    default: mode_ = Mode::Read; break;
    }
}

std::pair<std::uint32_t, std::uint32_t> F28Chip::blockOf(std::uint32_t a) const {
    const auto size = static_cast<std::uint32_t>(cells_.size());
    constexpr std::uint32_t K = 1024;
    if (type_.blocks == F28Blocks::Uniform64K) return {a & ~(64 * K - 1), a | (64 * K - 1)};
    // Boot block, two parameter blocks and a 96 KiB block at the boot end, then
    // 128 KiB blocks; counted from the boot end.
    const bool top = type_.blocks == F28Blocks::TopBoot;
    const std::uint32_t o = top ? size - 1 - a : a;
    const std::uint32_t ends[] = {16 * K, 24 * K, 32 * K, 128 * K};
    std::uint32_t first = 0, last = 0;
    for (std::uint32_t begin = 0; std::uint32_t end : ends) {
        if (o < end) {
            first = begin;
            last = end - 1;
            break;
        }
        begin = end;
    }
    if (o >= 128 * K) {
        first = 128 * K + (o - 128 * K) / (128 * K) * (128 * K);
        last = first + 128 * K - 1;
    }
    return top ? std::pair{size - 1 - last, size - 1 - first} : std::pair{first, last};
}

void F28Chip::finishBusy() {
    if (busyErase_)
        for (std::uint32_t x = busyFirst_; x <= busyLast_; ++x) cells_[x] = 0xFF;
    if (busyErase_) markChanged();
    busyUntilPs_ = -1;
}

void F28Chip::writeStatusSet(std::uint32_t a, std::uint8_t d, const ChipView& v) {
    if (busyUntilPs_ >= 0) return; // the write state machine takes nothing while it works
    const bool vppHigh = v.vppAt(kVpp) >= HighVoltageMillivolts;
    if (mode_ == Mode::ProgramSetup) {
        mode_ = Mode::Status;
        if (!vppHigh) {
            status_ |= kVppLow | kProgramFailed;
        } else if (locked(a) || faults().programBlocked(a)) {
            status_ |= kProgramFailed;
        } else {
            cells_[a] &= d;
            markChanged();
            busyErase_ = false;
            busyUntilPs_ = v.nowPs + scaled(AutoProgramPs);
        }
        return;
    }
    if (mode_ == Mode::EraseSetup) {
        mode_ = Mode::Status;
        const auto [first, last] = blockOf(a);
        if (d != kEraseConfirm) {
            status_ |= kEraseFailed | kProgramFailed; // command sequence error
        } else if (!vppHigh) {
            status_ |= kVppLow | kEraseFailed;
        } else if (locked(first) || locked(last)) {
            status_ |= kEraseFailed;
        } else {
            busyErase_ = true;
            busyFirst_ = first;
            busyLast_ = last;
            busyUntilPs_ = v.nowPs + scaled(BlockErasePs);
        }
        return;
    }
    switch (d) {
    case kProgramSetup:
    case kAltProgramSetup: mode_ = Mode::ProgramSetup; break;
    case kEraseSetup: mode_ = Mode::EraseSetup; break;
    case kReadStatus: mode_ = Mode::Status; break;
    case kClearStatus: status_ = 0; break;
    case kCodes: mode_ = Mode::Codes; break;
    case kReset: mode_ = Mode::Read; break;
    default: break; // reserved codes (C0, A0, 00, ...) change nothing
    }
}

std::uint8_t F28Chip::output(const ChipView& v, std::uint32_t a) {
    const auto codes = [&] {
        const auto& sig = faults().signature;
        return v.high(kAddressPins[kA0]) ? (sig.size() > 1 ? sig[1] : type_.device)
                                         : (!sig.empty() ? sig[0] : type_.manufacturer);
    };
    if (v.vppAt(kAddressPins[kA9]) >= HighVoltageMillivolts || mode_ == Mode::Codes) return codes();
    if (mode_ == Mode::Status) return static_cast<std::uint8_t>(status_ | (busyUntilPs_ >= 0 ? 0 : kReady));
    const std::uint32_t cell = mode_ == Mode::EraseVerify     ? verifyAddress_
                               : mode_ == Mode::ProgramVerify ? programAddress_
                                                              : a;
    return faults().applyStuck(cell, cells_[cell]);
}

ChipDrive F28Chip::update(const ChipView& v) {
    ChipDrive out;
    const bool powered = v.hasVcc(kVcc) && v.hasGround(kGround) && v.vccMillivolts >= kMinVccMillivolts;
    const bool erasesByVerify = type_.commandSet == F28CommandSet::EraseVerify;
    // Without 12 V on Vpp the erase-verify parts are read-only memories: a pulse
    // under way ends and the command register goes back to reading.
    const bool commandsOn = powered && (!erasesByVerify || v.vppAt(kVpp) >= HighVoltageMillivolts);
    if (!commandsOn && mode_ != Mode::Read) {
        if (mode_ == Mode::Erasing || mode_ == Mode::Programming) endPulse(v.nowPs);
        if (!powered || erasesByVerify) mode_ = Mode::Read;
        resetArmed_ = false;
    }
    if (!powered) {
        busyUntilPs_ = -1; // an operation cut off by the supply leaves the cells as they are
        status_ = 0;
        weLow_ = false;
        return out;
    }
    if (busyUntilPs_ >= 0 && v.nowPs >= busyUntilPs_) finishBusy();
    const bool ce = v.low(kChipEnable), oe = v.low(kOutputEnable), we = v.low(kWriteEnable);
    const std::uint32_t a = address(v);
    // A write ends on the rising /WE edge with /CE low and /OE high.
    if (weLow_ && !we && ce && !oe && commandsOn) {
        std::uint8_t d = 0;
        for (int b = 0; b < 8; ++b)
            if (v.high(kDataPins[b])) d = static_cast<std::uint8_t>(d | (1u << b));
        if (erasesByVerify) writeEraseVerifySet(a, d, v);
        else writeStatusSet(a, d, v);
    }
    weLow_ = we;
    if (!ce || !oe) return out;
    const std::uint8_t value = output(v, a);
    for (int b = 0; b < 8; ++b) out.drive(kDataPins[b], (value >> b) & 1);
    return out;
}

// Intel 28F400BL/28F004BL (boot block, like the 28F004BX rows), "Absolute
// Maximum Ratings": "Voltage on any Pin (except VCC, VPP, A9 and RP#) with
// Respect to GND -2.0V to +7.0V; Voltage on Pin RP# or Pin A9 -2.0V to +13.5V;
// VPP Program Voltage during Block Erase and Word/Byte Write -2.0V to +14.0V;
// VCC Supply Voltage -2.0V to +7.0V", note 2: "Maximum DC voltage on
// input/output pins is VCC + 0.5V". ST's M28F101 rates its pins against ground
// ("Input or Output Voltages -0.6 to 7 V; A9 Voltage -0.6 to 13.5 V; Program
// Supply Voltage -0.6 to 14 V"). The rows stand for several makers, so the
// model takes the stricter reading: the pins rated against Vcc, each clamping
// to Vcc when the part is unpowered. The data sheets of the bulk-erase rows
// (Intel, AMD, Catalyst 28F256..28F020) were not at hand: these stand for them.
// Unconfirmed, kept as first written: "upon power-up, the part is indifferent
// as to which power supply, Vpp or Vcc, powers up first".
ChipRatings F28Chip::ratings() const {
    ChipRatings r = ProgrammableRatings(kVcc, kGround, rating::Signal7V, UnpoweredInputs::Forbidden, kVpp,
                                        rating::Vpp14V, kAddressPins[kA9], rating::Id13V5);
    r.vccBeforeVpp = false;
    return r;
}

quarvin::Pinout F28Chip::pinLabels() const {
    ByteWidePins p{pinCount(), {}, {kDataPins, kDataPins + 8}, kVcc, kGround, kChipEnable, kOutputEnable, kWriteEnable};
    for (int b = 0; b < std::min(type_.cellBits, kAddressLines); ++b) p.address.push_back(kAddressPins[b]);
    quarvin::Pinout labels = ByteWidePinLabels(p);
    labels[kVpp - 1] = {"VPP", PinRole::Vpp};
    return labels;
}

} // namespace quarvin::sim
