#include "sim/families/i2c_eeprom/I2cEepromChip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>

#include "sim/ops/ChipSupply.h"

namespace quarvin::sim {

namespace {

constexpr std::uint8_t kDeviceTypeMask = 0xF0;
constexpr std::uint8_t kDeviceType = 0xA0;
constexpr std::uint8_t kReadBit = 0x01;
constexpr std::uint8_t kA0Bit = 0x02, kA1Bit = 0x04, kA2Bit = 0x08;
constexpr std::int64_t kPsPerUs = 1'000'000;

// Page sizes, device-address use and write-cycle times from the parts' data sheets:
// - pages: AT24C01A/02 and 24LC01B/02B 8 bytes; AT24C04/08/16 16; 24LC32A/64
//   32; AT24C128/256 and 24LC256 64 (the low six address bits roll over);
//   AT24C512 and 24LC512 128; X24C01 4 (its low two address bits).
// - write cycle (tWR): AT24C01A..16 5 ms max; 24LC32A, 24LC64, 24LC256,
//   24LC512 5 ms max; X24C01 5 ms typical.
// - chip-address pins: AT24C04 uses A1 A2 (A0 not connected), AT24C08 A2,
//   AT24C16 none; AT24C128/256/512 have A0 A1 with the A2 bit 0 (the 24LC
//   parts also compare A2; the socket ties it low, so both agree here).
const std::vector<I2cEepromType> kTypes = {
    // name     size    page  device address               block  pins compared           write cycle
    {"24C01A",  128,    8,    I2cDeviceAddress::ChipPins,    0, kA0Bit | kA1Bit | kA2Bit, 5000},
    {"24C02",   256,    8,    I2cDeviceAddress::ChipPins,    0, kA0Bit | kA1Bit | kA2Bit, 5000},
    {"24C04",   512,    16,   I2cDeviceAddress::ChipPins,    1, kA1Bit | kA2Bit,          5000},
    {"24C08",   1024,   16,   I2cDeviceAddress::ChipPins,    2, kA2Bit,                   5000},
    {"24C16",   2048,   16,   I2cDeviceAddress::ChipPins,    3, 0,                        5000},
    {"24C32",   4096,   32,   I2cDeviceAddress::TwoByteWord, 0, kA0Bit | kA1Bit | kA2Bit, 5000},
    {"24C64",   8192,   32,   I2cDeviceAddress::TwoByteWord, 0, kA0Bit | kA1Bit | kA2Bit, 5000},
    // The 128 to 512 Kbit parts have A0 and A1 only; their A2 bit must be 0.
    {"24C128",  16384,  64,   I2cDeviceAddress::TwoByteWord, 0, kA0Bit | kA1Bit,          5000},
    {"24C256",  32768,  64,   I2cDeviceAddress::TwoByteWord, 0, kA0Bit | kA1Bit,          5000},
    {"24C512",  65536,  128,  I2cDeviceAddress::TwoByteWord, 0, kA0Bit | kA1Bit,          5000},
    {"X24C01",  128,    4,    I2cDeviceAddress::None,        0, 0,                        5000},
};

} // namespace

const std::vector<I2cEepromType>& I2cEepromTypes() { return kTypes; }

const I2cEepromType* FindI2cEepromType(const std::string& name) {
    for (const auto& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

I2cEepromChip::I2cEepromChip(const I2cEepromType& type)
    : type_(type), cells_(type.size, 0xFF), writeCycleUs_(type.writeCycleUs) {}

void I2cEepromChip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    markChanged();
}

bool I2cEepromChip::busy(std::int64_t nowPs) const {
    return cycleRunning_ && (cycleNeverEnds_ || nowPs < cycleEndsPs_);
}

std::uint8_t I2cEepromChip::readCell(std::uint32_t a) const { return faults().applyStuck(a, cells_[a]); }

void I2cEepromChip::finishWriteCycle() {
    for (const auto& [a, d] : pending_)
        if (!faults().programBlocked(a)) cells_[a] = d;
    pending_.clear();
    cycleRunning_ = false;
    markChanged();
}

void I2cEepromChip::powerLost() {
    // A cycle cut short by the supply leaves the cells as they were.
    if (cycleRunning_ && !cycleNeverEnds_) {
        pending_.clear();
        cycleRunning_ = false;
    }
    mode_ = Mode::Idle;
    pullSdaLow_ = false;
    pending_.clear();
}

void I2cEepromChip::startCondition() {
    // A start ends whatever went before; an unfinished page write is dropped.
    mode_ = Mode::Receive;
    expect_ = Expect::DeviceAddress;
    frame_ = Frame::Bits;
    bits_ = 0;
    shift_ = 0;
    pullSdaLow_ = false;
    pending_.clear();
}

void I2cEepromChip::stopCondition(const ChipView& v) {
    // The stop's own rising clock counts as the first bit of a next byte, so a
    // write ends cleanly with at most that one bit in.
    const bool wholeBytes = frame_ == Frame::Bits && bits_ <= 1;
    const bool write = mode_ == Mode::Receive && expect_ == Expect::Data && wholeBytes && !pending_.empty();
    mode_ = Mode::Idle;
    pullSdaLow_ = false;
    if (!write) {
        pending_.clear();
        return;
    }
    // Write protection is sampled when the stop would start the cycle.
    if (type_.deviceAddress != I2cDeviceAddress::None && v.high(kWriteProtect)) {
        pending_.clear();
        return;
    }
    cycleRunning_ = true;
    cycleNeverEnds_ = faults().busyForever;
    cycleEndsPs_ = nowPs_ + writeCycleUs_ * kPsPerUs;
    ++writeCycles_;
}

void I2cEepromChip::latch(std::uint8_t b) {
    for (auto& [a, d] : pending_)
        if (a == pointer_) {
            d = b;
            return;
        }
    pending_.emplace_back(pointer_, b);
}

bool I2cEepromChip::takeByte(std::uint8_t b, const ChipView& v) {
    const std::uint32_t mask = type_.size - 1;
    switch (expect_) {
    case Expect::DeviceAddress: {
        if (type_.deviceAddress == I2cDeviceAddress::None) {
            pointer_ = (b >> 1) & mask;
            if (b & kReadBit) {
                transmitNext_ = true;
            } else {
                expect_ = Expect::Data;
            }
            return true;
        }
        if ((b & kDeviceTypeMask) != kDeviceType) return false;
        const std::uint8_t pinLevels = static_cast<std::uint8_t>((v.high(kA0) ? kA0Bit : 0) | (v.high(kA1) ? kA1Bit : 0) |
                                                                 (v.high(kA2) ? kA2Bit : 0));
        const std::uint8_t blockMask = static_cast<std::uint8_t>(((1u << type_.blockBits) - 1) << 1);
        const std::uint8_t selectMask = static_cast<std::uint8_t>((kA0Bit | kA1Bit | kA2Bit) & ~blockMask);
        // Select bits without a pin must be 0; pinned ones must match the pins.
        const std::uint8_t expected = pinLevels & type_.pinBits;
        if ((b & selectMask) != expected) return false;
        wordHigh_ = static_cast<std::uint32_t>((b & blockMask) >> 1);
        if (b & kReadBit) {
            transmitNext_ = true; // current-address read
            return true;
        }
        expect_ = type_.deviceAddress == I2cDeviceAddress::TwoByteWord ? Expect::WordHigh : Expect::WordLow;
        return true;
    }
    case Expect::WordHigh:
        wordHigh_ = b;
        expect_ = Expect::WordLow;
        return true;
    case Expect::WordLow:
        pointer_ = ((wordHigh_ << 8) | b) & mask;
        expect_ = Expect::Data;
        pending_.clear();
        return true;
    case Expect::Data: {
        latch(b);
        // The address counter rolls over inside the page.
        const std::uint32_t page = pointer_ & ~(type_.pageSize - 1);
        pointer_ = page | ((pointer_ + 1) & (type_.pageSize - 1));
        return true;
    }
    }
    return false;
}

void I2cEepromChip::loadTransmitByte() {
    // The address counter moves on with every byte sent, so a later
    // current-address read continues after it, wrapping at the end.
    shift_ = readCell(pointer_);
    pointer_ = (pointer_ + 1) & (type_.size - 1);
    bits_ = 0;
    frame_ = Frame::Bits;
    pullSdaLow_ = (shift_ & 0x80) == 0;
}

void I2cEepromChip::risingClock(bool sda) {
    if (mode_ == Mode::Receive) {
        if (frame_ == Frame::Bits && bits_ < 8) {
            shift_ = static_cast<std::uint8_t>((shift_ << 1) | (sda ? 1 : 0));
            ++bits_;
        } else if (frame_ == Frame::AckPending) {
            frame_ = Frame::AckClock;
        }
    } else if (mode_ == Mode::Transmit) {
        if (frame_ == Frame::Bits && bits_ < 8) {
            ++bits_;
        } else if (frame_ == Frame::AckPending) {
            masterAcked_ = !sda;
            frame_ = Frame::AckClock;
        }
    }
}

void I2cEepromChip::fallingClock(const ChipView& v) {
    if (mode_ == Mode::Receive) {
        if (frame_ == Frame::Bits && bits_ == 8) {
            // Acknowledged bytes pull SDA low through the ninth clock; a byte
            // not meant for this part leaves it waiting for the next start.
            frame_ = Frame::AckPending;
            transmitNext_ = false;
            const bool ack = takeByte(shift_, v);
            pullSdaLow_ = ack;
            if (!ack) mode_ = Mode::Idle;
        } else if (frame_ == Frame::AckClock) {
            pullSdaLow_ = false;
            bits_ = 0;
            shift_ = 0;
            frame_ = Frame::Bits;
            if (transmitNext_) {
                mode_ = Mode::Transmit;
                transmitNext_ = false;
                loadTransmitByte();
            }
        }
    } else if (mode_ == Mode::Transmit) {
        if (frame_ == Frame::Bits && bits_ >= 1 && bits_ <= 7) {
            pullSdaLow_ = ((shift_ << bits_) & 0x80) == 0;
        } else if (frame_ == Frame::Bits && bits_ == 8) {
            pullSdaLow_ = false; // the master's acknowledge
            frame_ = Frame::AckPending;
        } else if (frame_ == Frame::AckClock) {
            if (!masterAcked_) {
                // No acknowledge: the read is over, the part waits for a start or stop.
                mode_ = Mode::Idle;
                pullSdaLow_ = false;
                return;
            }
            // Sequential read: on through the memory.
            loadTransmitByte();
        }
    }
}

ChipDrive I2cEepromChip::update(const ChipView& v) {
    nowPs_ = v.nowPs;
    const bool sda = v.high(kSda), scl = v.high(kScl);
    ChipDrive out;
    if (!SupplyPresent(v, kVcc, kGround)) {
        if (powered_) powerLost();
        powered_ = false;
        lastSda_ = sda;
        lastScl_ = scl;
        return out;
    }
    if (!powered_) {
        // Edges that came with the supply are not bus events.
        powered_ = true;
        mode_ = Mode::Idle;
        lastSda_ = sda;
        lastScl_ = scl;
        return out;
    }
    if (cycleRunning_ && !busy(v.nowPs)) finishWriteCycle();
    if (busy(v.nowPs)) {
        // The part neither listens nor acknowledges while it writes.
        mode_ = Mode::Idle;
        pullSdaLow_ = false;
        lastSda_ = sda;
        lastScl_ = scl;
        return out;
    }
    if (scl != lastScl_) {
        if (scl) risingClock(sda);
        else fallingClock(v);
    }
    if (sda != lastSda_ && scl && lastScl_) {
        if (!sda) startCondition();
        else stopCondition(v);
    }
    lastSda_ = sda;
    lastScl_ = scl;
    if (pullSdaLow_) out.drive(kSda, false);
    return out;
}

// Microchip 24AA02/24LC02B (DS20001709L), "Absolute Maximum Ratings": "VCC
// 6.5V; All inputs and outputs w.r.t. VSS -0.3V to VCC +1.0V" (24LC256,
// DS21203M: the same with -0.6 V). Catalyst CAT24C256: "Voltage on any Pin with
// Respect to Ground -0.5 to +6.5 V", note 1: "The DC input voltage on any pin
// should not be lower than -0.5 V or higher than VCC + 0.5 V". The rows stand
// for several makers, so the model takes the stricter figures: 6.5 V on Vcc and
// on any pin, and every pin rated against Vcc - it clamps to Vcc when the part
// is unpowered, SDA's open-drain output included. The Atmel, ST and Xicor data
// sheets of the rows were not at hand: these stand for them.
ChipRatings I2cEepromChip::ratings() const {
    ChipRatings r = SupplyRatings(kVcc, kGround, rating::Signal6V5, UnpoweredInputs::Forbidden);
    r.supplyMaxMillivolts = rating::Supply6V5;
    return r;
}

quarvin::Pinout I2cEepromChip::pinLabels() const {
    PinLabels labels(pinCount());
    labels.pin(kA0, "A0", PinRole::Control).pin(kA1, "A1", PinRole::Control).pin(kA2, "A2", PinRole::Control);
    labels.pin(kGround, "GND", PinRole::Ground).pin(kSda, "SDA", PinRole::Data).pin(kScl, "SCL", PinRole::Clock);
    return labels.pin(kWriteProtect, "WP", PinRole::Control).pin(kVcc, "VCC", PinRole::Vcc).take();
}

} // namespace quarvin::sim
