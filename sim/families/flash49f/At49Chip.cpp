#include "sim/families/flash49f/At49Chip.h"

#include <algorithm>

#include "sim/ChipRatings.h"
#include "sim/PinLabels.h"
#include "sim/families/flash29f/Flash32Pins.h"

namespace quarvin::sim {

namespace {

// "Pin Configurations, DIP Top View"; pin 1 is RESET on the AT49F001/002 and a
// don't-connect pin on their N versions.
using namespace flash32;
constexpr int kResetPin = 1;
constexpr std::uint32_t kCommandMask = 0x7FFF; // "Address Format: A14 - A0"

// "Command Definition (in Hex)" note 4, the sector addresses (SA): each
// parameter block erases alone, main memory block 1 erases "PB1, PB2 and
// MMB1", main memory block 2 alone; the boot block: "Nothing will happen".
constexpr At49SectorErase kSectors001[] = {{0x04000, 0x05FFF, 0x04000, 0x05FFF},
                                           {0x06000, 0x07FFF, 0x06000, 0x07FFF},
                                           {0x08000, 0x0FFFF, 0x04000, 0x0FFFF},
                                           {0x10000, 0x1FFFF, 0x10000, 0x1FFFF}};
constexpr At49SectorErase kSectors001T[] = {{0x1A000, 0x1BFFF, 0x1A000, 0x1BFFF},
                                            {0x18000, 0x19FFF, 0x18000, 0x19FFF},
                                            {0x10000, 0x17FFF, 0x10000, 0x1BFFF},
                                            {0x00000, 0x0FFFF, 0x00000, 0x0FFFF}};
constexpr At49SectorErase kSectors002[] = {{0x04000, 0x05FFF, 0x04000, 0x05FFF},
                                           {0x06000, 0x07FFF, 0x06000, 0x07FFF},
                                           {0x08000, 0x1FFFF, 0x04000, 0x1FFFF},
                                           {0x20000, 0x3FFFF, 0x20000, 0x3FFFF}};
constexpr At49SectorErase kSectors002T[] = {{0x3A000, 0x3BFFF, 0x3A000, 0x3BFFF},
                                            {0x38000, 0x39FFF, 0x38000, 0x39FFF},
                                            {0x20000, 0x37FFF, 0x20000, 0x3BFFF},
                                            {0x00000, 0x1FFFF, 0x00000, 0x1FFFF}};

// Codes: "Operating Modes" note 4 (AT49F040: 1F, 13; AT49F001(N): 1F, 05,
// AT49F001(N)T: 1F, 04; AT49F002(N): 1F, 07, AT49F002(N)T: 1F, 08). The 16K
// byte boot block: "Command Definition" note 2 (00000H-03FFFH; 1C000H-1FFFFH on
// the AT49F001(N)T, 3C000H-3FFFFH on the AT49F002(N)T). Address lines: "Pin
// Configurations" (A0-A16 on the AT49F001, A0-A17 on the AT49F002, whose pin
// 30 is A17 where the AT49F001 has NC). RESET: "This pin is a DC on the
// AT49F001N(T)" (AT49F002N(T) likewise, "Operating Modes" note 6).
const At49Type kTypes[] = {
    {"AT49F040", 19, 0x1F, 0x13, 0x00000, 0x03FFF},
    {"AT49F001", 17, 0x1F, 0x05, 0x00000, 0x03FFF, true, kSectors001},
    {"AT49F001N", 17, 0x1F, 0x05, 0x00000, 0x03FFF, false, kSectors001},
    {"AT49F001T", 17, 0x1F, 0x04, 0x1C000, 0x1FFFF, true, kSectors001T},
    {"AT49F001NT", 17, 0x1F, 0x04, 0x1C000, 0x1FFFF, false, kSectors001T},
    {"AT49F002", 18, 0x1F, 0x07, 0x00000, 0x03FFF, true, kSectors002},
    {"AT49F002N", 18, 0x1F, 0x07, 0x00000, 0x03FFF, false, kSectors002},
    {"AT49F002T", 18, 0x1F, 0x08, 0x3C000, 0x3FFFF, true, kSectors002T},
    {"AT49F002NT", 18, 0x1F, 0x08, 0x3C000, 0x3FFFF, false, kSectors002T},
};

constexpr std::uint8_t kUnlock1 = 0xAA, kUnlock2 = 0x55, kProgram = 0xA0, kErase = 0x80, kChipErase = 0x10,
                       kSectorErase = 0x30, kLockout = 0x40, kIdentify = 0x90, kIdentifyExit = 0xF0;

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

// "RESET": "A low level on the RESET input halts the present device operation
// and puts the outputs of the device in a high impedance state."
bool At49Chip::resetHeld(const ChipView& v) const {
    return type_.resetPin && v.low(kResetPin) && v.vppAt(kResetPin) == 0;
}

// "Boot Block Programming Lockout Override": "taking the RESET pin to 12
// volts"; "When the RESET pin is brought back to TTL levels the boot block
// programming lockout feature is again active."
bool At49Chip::lockoutOverridden(const ChipView& v) const {
    return type_.resetPin && v.vppAt(kResetPin) >= OverrideMillivolts;
}

// Neither data sheet says what an erase cut short (a power loss, or RESET
// taken low: "the operation may not be successfully completed") leaves; the
// model leaves nothing usable (00), so that no check passes on it.
void At49Chip::finishBusy(bool powerLost) {
    if (busy_ == Busy::Erase) {
        for (std::uint32_t a = eraseFirst_; a <= eraseLast_; ++a)
            if (!(eraseKeepsBootBlock_ && inBootBlock(a))) cells_[a] = powerLost ? 0x00 : 0xFF;
        markChanged();
    }
    busy_ = Busy::None;
}

// "Program Cycle Characteristics" and "Sector or Chip Erase Cycle Waveforms":
// either erase ends after tEC.
void At49Chip::startErase(std::uint32_t first, std::uint32_t last, bool keepBootBlock, std::int64_t nowPs) {
    eraseFirst_ = first;
    eraseLast_ = last;
    eraseKeepsBootBlock_ = keepBootBlock;
    busy_ = Busy::Erase;
    busyUntil_ = nowPs + static_cast<std::int64_t>(static_cast<double>(ChipErasePs) *
                                                   std::max(1.0, faults().eraseTimeFactor));
}

void At49Chip::write(std::uint32_t a, std::uint8_t d, const ChipView& v) {
    const std::int64_t nowPs = v.nowPs;
    const bool bootBlockShut = locked_ && !lockoutOverridden(v);
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
        if (bootBlockShut && inBootBlock(a)) break;
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
        // "The sector address is latched on the falling WE edge of the sixth
        // cycle": the whole address, not the command bits.
        if (d == kSectorErase) {
            for (const At49SectorErase& s : type_.sectorErases)
                if (a >= s.first && a <= s.last) startErase(s.eraseFirst, s.eraseLast, false, nowPs);
            break;
        }
        if (c != 0x5555) break;
        // "CHIP ERASE": with the lockout on, every block but the boot block.
        if (d == kChipErase) {
            startErase(0, static_cast<std::uint32_t>(cells_.size() - 1), bootBlockShut, nowPs);
        } else if (d == kLockout) {
            locked_ = true;
            busy_ = Busy::Lockout;
            busyUntil_ = nowPs + LockoutPs;
        }
        break;
    }
}

// "Software Product Identification": 00000 the maker, 00001 the device;
// "Boot Block Lockout Detection": address 2 of the boot block (00002, 1C002 on
// the AT49F001(N)T, 3C002 on the AT49F002(N)T) shows the lockout on I/O0
// (high: locked). The data sheets name no other bit of that read, nor other
// addresses; the model gives 0 there and the codes by A0 elsewhere.
std::uint8_t At49Chip::codeAt(std::uint32_t a) const {
    const auto& sig = faults().signature;
    if ((a & (1u << A1)) && inBootBlock(a)) return locked_ ? 0x01 : 0x00;
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
        bus_.release();
        return out;
    }
    if (busy() && v.nowPs >= busyUntil_) finishBusy(false);
    if (resetHeld(v)) {
        // "When a high level is reasserted on the RESET pin, the device returns
        // to the read or standby mode."
        if (busy()) finishBusy(true);
        state_ = State::Read;
        identifying_ = false;
        bus_.release();
        return out;
    }
    const bool ce = v.low(ChipEnable), oe = v.low(OutputEnable), we = v.low(WriteEnable);
    const std::uint32_t a = address(v);
    // A write cycle ends on the rising /WE edge with /CE low and /OE high
    // ("Program inhibit: holding any one of OE low, CE high or WE high").
    // "Successive attempts to read data from the device will result in I/O6
    // toggling": one toggle per read cycle, /OE or /CE falling with the other low.
    if (bus_.follow(ce, oe, we)) write(a, DataIn(v), v);
    if (!ce || !oe) return out;

    std::uint8_t value = 0;
    if (busy()) {
        // DATA polling is defined for the program cycle only: I/O7 the
        // complement of the byte loaded. Erase and lockout show the toggle bit.
        value = bus_.busyStatus(busy_ == Busy::Program, programmed_);
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
// identification, RESET of the AT49F001/002 "12V +- 0.5V" for the lockout
// override ("RESET"); all are held to the lower 12.5 V. The AT49F001/002 data
// sheets give the same ratings.
ChipRatings At49Chip::ratings() const {
    ChipRatings r = ProgrammableRatings(Vcc, Ground, rating::Signal6V25, UnpoweredInputs::Tolerated, 0, 0,
                                        AddressPins[A9], rating::Id12V5);
    r.id |= pinBit(OutputEnable);
    if (type_.resetPin) r.id |= pinBit(kResetPin);
    for (int p : DataPins) r.vccRelative |= pinBit(p);
    return r;
}

quarvin::Pinout At49Chip::pinLabels() const {
    ByteWidePins p{pinCount(), {}, {DataPins, DataPins + 8}, Vcc, Ground, ChipEnable, OutputEnable, WriteEnable};
    for (int b = 0; b < type_.addressBits; ++b) p.address.push_back(AddressPins[b]);
    quarvin::Pinout labels = ByteWidePinLabels(p);
    if (type_.resetPin) labels[kResetPin - 1] = {"RESET", PinRole::Control};
    return labels;
}

} // namespace quarvin::sim
