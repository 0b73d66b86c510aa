#include "sim/families/microwire_eeprom/MicrowireChip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>

#include "sim/ops/ChipSupply.h"

namespace quarvin::sim {

namespace {

constexpr std::int64_t kPsPerUs = 1'000'000;
constexpr int kOpcodeBits = 2;

enum Opcode : std::uint32_t { Special = 0b00, Write = 0b01, Read = 0b10, Erase = 0b11 };
// The top two address bits of a special instruction.
enum SpecialKind : std::uint32_t { WriteDisable = 0b00, WriteAll = 0b01, EraseAll = 0b10, WriteEnable = 0b11 };

// Sizes, address widths and cycle times from the parts' data sheets, at 5 V:
// - address bits: AT93C46 x8 A6-A0, x16 A5-A0; AT93C56/66 x8 A8-A0, x16 A7-A0
//   (the 93C56 ignores its top bit); AT93C57 x8 A7-A0, x16 A6-A0; AT93C86 x8
//   A10-A0, x16 A9-A0.
// - write cycle: AT93C46D, AT93C56B/66B "within 5 ms maximum"; the older
//   AT93C46/56/57/66 and AT93C86A give up to 10 ms over their whole supply
//   range and about 1 to 4 ms at 5 V; 93LC46 6 ms. The models take 5 ms.
// - erase all and write all: 10 ms (93LC46 ERAL 6 ms).
const std::vector<MicrowireType> kTypes = {
    // name    bytes  x8 bits  x16 bits  write   ERAL/WRAL
    {"93C46",  128,   7,       6,        5000,   10000},
    {"93C56",  256,   9,       8,        5000,   10000}, // the top address bit is not used
    {"93C57",  256,   8,       7,        5000,   10000},
    {"93C66",  512,   9,       8,        5000,   10000},
    {"93C86",  2048,  11,      10,       5000,   10000},
};

} // namespace

const std::vector<MicrowireType>& MicrowireTypes() { return kTypes; }

const MicrowireType* FindMicrowireType(const std::string& name) {
    for (const auto& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

MicrowireChip::MicrowireChip(const MicrowireType& type) : type_(type), cells_(type.size, 0xFF) {}

void MicrowireChip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    markChanged();
}

bool MicrowireChip::busy(std::int64_t nowPs) const {
    return cycleRunning_ && (cycleNeverEnds_ || nowPs < cycleEndsPs_);
}

std::uint16_t MicrowireChip::readLocation(std::uint32_t a) const {
    if (!wide_) return faults().applyStuck(a, cells_[a]);
    const std::uint8_t low = faults().applyStuck(2 * a, cells_[2 * a]);
    const std::uint8_t high = faults().applyStuck(2 * a + 1, cells_[2 * a + 1]);
    return static_cast<std::uint16_t>(low | (high << 8));
}

void MicrowireChip::writeLocation(const Job& job, std::uint32_t a, std::uint16_t v) {
    const auto put = [this](std::uint32_t byte, std::uint8_t value) {
        if (!faults().programBlocked(byte)) cells_[byte] = value;
    };
    if (!job.wide) {
        put(a, static_cast<std::uint8_t>(v));
        return;
    }
    put(2 * a, static_cast<std::uint8_t>(v & 0xFF));
    put(2 * a + 1, static_cast<std::uint8_t>(v >> 8));
}

void MicrowireChip::finishCycle() {
    const std::uint32_t count = cycle_.wide ? type_.size / 2 : type_.size;
    switch (cycle_.what) {
    case Pending::Write: writeLocation(cycle_, cycle_.address, cycle_.data); break;
    case Pending::Erase: writeLocation(cycle_, cycle_.address, 0xFFFF); break;
    case Pending::EraseAll:
        for (std::uint32_t a = 0; a < count; ++a) writeLocation(cycle_, a, 0xFFFF);
        break;
    case Pending::WriteAll:
        for (std::uint32_t a = 0; a < count; ++a) writeLocation(cycle_, a, cycle_.data);
        break;
    case Pending::None: break;
    }
    cycle_ = {};
    cycleRunning_ = false;
    markChanged();
}

void MicrowireChip::powerUp() {
    // Writes are disabled at power-up.
    writeEnabled_ = false;
    phase_ = Phase::WaitStart;
    queued_ = {};
    dataOutDriven_ = false;
    showStatus_ = false;
}

void MicrowireChip::instructionComplete() {
    const int bits = addressBits();
    const std::uint32_t location = address_ & (locations() - 1);
    const auto queue = [this](Pending what, std::uint32_t a) {
        // Without EWEN a write or erase does nothing at all.
        if (!writeEnabled_) return;
        queued_ = {what, a, static_cast<std::uint16_t>(data_), wide_};
    };
    switch (opcode_) {
    case Read:
        // The dummy 0, then the data from the next rising edge on.
        phase_ = Phase::ReadOut;
        readAddress_ = location;
        readBit_ = dataBits();
        dataOutDriven_ = true;
        dataOutLow_ = true;
        return;
    case Write:
        if (phase_ == Phase::Address) {
            phase_ = Phase::Data;
            bitsIn_ = 0;
            data_ = 0;
            return;
        }
        queue(Pending::Write, location);
        break;
    case Erase: queue(Pending::Erase, location); break;
    case Special:
        switch ((address_ >> (bits - 2)) & 0b11) {
        case WriteEnable: writeEnabled_ = true; break;
        case WriteDisable: writeEnabled_ = false; break;
        case EraseAll: queue(Pending::EraseAll, 0); break;
        case WriteAll:
            if (phase_ == Phase::Address) {
                phase_ = Phase::Data;
                bitsIn_ = 0;
                data_ = 0;
                return;
            }
            queue(Pending::WriteAll, 0);
            break;
        }
        break;
    }
    phase_ = Phase::Done;
}

void MicrowireChip::risingClock(bool dataIn, bool organisation) {
    switch (phase_) {
    case Phase::WaitStart:
        if (!dataIn) return;
        // Instructions are ignored while a cycle runs.
        if (busy(nowPs_)) return;
        showStatus_ = false;
        dataOutDriven_ = false;
        wide_ = organisation;
        phase_ = Phase::Opcode;
        bitsIn_ = 0;
        opcode_ = address_ = data_ = 0;
        return;
    case Phase::Opcode:
        opcode_ = (opcode_ << 1) | (dataIn ? 1 : 0);
        if (++bitsIn_ == kOpcodeBits) {
            phase_ = Phase::Address;
            bitsIn_ = 0;
        }
        return;
    case Phase::Address:
        address_ = (address_ << 1) | (dataIn ? 1 : 0);
        if (++bitsIn_ == addressBits()) instructionComplete();
        return;
    case Phase::Data:
        data_ = (data_ << 1) | (dataIn ? 1 : 0);
        if (++bitsIn_ == dataBits()) instructionComplete();
        return;
    case Phase::ReadOut: {
        if (readBit_ == 0) {
            // On to the next location, without a dummy bit.
            readAddress_ = (readAddress_ + 1) & (locations() - 1);
            readBit_ = dataBits();
        }
        --readBit_;
        dataOutLow_ = ((readLocation(readAddress_) >> readBit_) & 1) == 0;
        return;
    }
    case Phase::Done: return;
    }
}

ChipDrive MicrowireChip::update(const ChipView& v) {
    nowPs_ = v.nowPs;
    const bool select = v.high(kChipSelect), clock = v.high(kClock);
    ChipDrive out;
    if (!SupplyPresent(v, kVcc, kGround)) {
        powered_ = false;
        lastClock_ = clock;
        lastSelect_ = select;
        return out;
    }
    if (!powered_) {
        powered_ = true;
        // A cycle cut short by the supply leaves the cells as they were.
        if (cycleRunning_ && !cycleNeverEnds_) cycleRunning_ = false;
        powerUp();
        lastClock_ = clock;
        lastSelect_ = select;
        return out;
    }
    if (cycleRunning_ && !busy(v.nowPs)) finishCycle();

    if (lastSelect_ && !select) {
        // CS low ends the instruction; after a complete write or erase it
        // starts the self-timed cycle.
        if (queued_.what != Pending::None && phase_ == Phase::Done) {
            cycle_ = queued_;
            const bool bulk = cycle_.what == Pending::EraseAll || cycle_.what == Pending::WriteAll;
            cycleRunning_ = true;
            cycleNeverEnds_ = faults().busyForever;
            cycleEndsPs_ = v.nowPs + (bulk ? type_.bulkCycleUs : type_.writeCycleUs) * kPsPerUs;
            showStatus_ = true;
        }
        queued_ = {};
        phase_ = Phase::WaitStart;
        dataOutDriven_ = false;
    } else if (!lastSelect_ && select) {
        phase_ = Phase::WaitStart;
    }
    if (select && clock && !lastClock_) risingClock(v.high(kDataIn), v.high(kOrganisation));
    lastClock_ = clock;
    lastSelect_ = select;

    if (!select) return out; // DO is high impedance
    if (phase_ == Phase::WaitStart && (showStatus_ || busy(v.nowPs))) {
        out.drive(kDataOut, !busy(v.nowPs));
    } else if (dataOutDriven_) {
        out.drive(kDataOut, !dataOutLow_);
    }
    return out;
}

// Microchip 93AA46/93LC46/93C46 (DS21749), "Absolute Maximum Ratings": "VCC
// 7.0V; All inputs and outputs w.r.t. VSS -0.6V to VCC +1.0V". Every pin is
// rated against Vcc: it clamps to Vcc when the part is unpowered. The fixed
// 7 V ceiling is the Vcc maximum. The Atmel, ST, National, Fairchild and
// Catalyst data sheets of the rows were not at hand: Microchip's stands for
// them.
ChipRatings MicrowireChip::ratings() const {
    return SupplyRatings(kVcc, kGround, rating::Signal7V, UnpoweredInputs::Forbidden);
}

quarvin::Pinout MicrowireChip::pinLabels() const {
    PinLabels labels(pinCount());
    labels.pin(kChipSelect, "CS", PinRole::Control).pin(kClock, "SK", PinRole::Clock);
    labels.pin(kDataIn, "DI", PinRole::Data).pin(kDataOut, "DO", PinRole::Data).pin(kGround, "GND", PinRole::Ground);
    return labels.pin(kOrganisation, "ORG", PinRole::Control).pin(kVcc, "VCC", PinRole::Vcc).take();
}

} // namespace quarvin::sim
