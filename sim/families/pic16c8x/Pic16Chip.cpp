#include "sim/families/pic16c8x/Pic16Chip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

#include <algorithm>
#include <cctype>

#include "sim/SimFamily.h"

#include "families/pic16c8x/Pic16Rows.h"

namespace quarvin::sim {

namespace {

constexpr int kFrameBits = 16;
constexpr int kCommandBits = 6;
constexpr std::uint32_t kDeviceIdAddress = 0x2006;
constexpr std::uint16_t kNoDeviceId = 0x3FFF;
// A word whose erase/write cycle was cut short keeps its low seven bits erased.
constexpr std::uint16_t kSpoiledBits = 0x007F;

// Configuration bits: the 16C84 has FOSC, WDTE, PWRTE and CP (bits 4..0); the
// 16F8x parts all 14 bits with CP in 13..4; the 16F87x lack bit 10 and keep
// CPD in bit 8.
constexpr std::uint16_t kConfig16C84 = 0x001F;
constexpr std::uint16_t kConfigAll = 0x3FFF;
constexpr std::uint16_t kConfig87x = 0x3BFF;
constexpr std::uint16_t kCpd87x = 0x0100;

const Pic16Type kTypes[] = {
    {"PIC16C84", 18, 1024, 64, kConfig16C84, kCpOneBit, 0, kNoDeviceId},
    {"PIC16F83", 18, 512, 64, kConfigAll, kCpField, 0, kNoDeviceId},
    {"PIC16F84", 18, 1024, 64, kConfigAll, kCpField, 0, kNoDeviceId},
    {"PIC16F84A", 18, 1024, 64, kConfigAll, kCpField, 0, 0x0560},
    {"PIC16F873", 28, 4096, 128, kConfig87x, kCp87x, kCpd87x, 0x0960},
    {"PIC16F874", 40, 4096, 128, kConfig87x, kCp87x, kCpd87x, 0x0920},
    {"PIC16F876", 28, 8192, 256, kConfig87x, kCp87x, kCpd87x, 0x09E0},
    {"PIC16F877", 40, 8192, 256, kConfig87x, kCp87x, kCpd87x, 0x09A0},
    // Parts of the sizes the list's other rows name, with a 16C84's configuration
    // (0.5k) and a 16F84's (2k).
    {"PIC16C8x-0.5k", 18, 512, 64, kConfig16C84, kCpOneBit, 0, kNoDeviceId},
    {"PIC16x86-2k", 18, 2048, 64, kConfigAll, kCpField, 0, kNoDeviceId},
};

} // namespace

const Pic16Type* FindPic16Type(const std::string& name) {
    for (const Pic16Type& t : kTypes)
        if (SamePartName(name, t.name)) return &t;
    return nullptr;
}

Pic16Chip::Pic16Chip(const Pic16Type& type)
    : type_(type), cells_(type.words * 2, 0xFF), data_(type.dataBytes, 0xFF) {
    for (std::uint32_t w = 0; w < type.words; ++w) cells_[2 * w + 1] = 0x3F;
}

Pic16Chip::Pinout Pic16Chip::pinout() const {
    switch (type_.pins) {
    case 28: return {1, 27, 28, {20, 20}, {8, 19}};
    case 40: return {1, 39, 40, {11, 32}, {12, 31}};
    default: return {4, 12, 13, {14, 14}, {5, 5}};
    }
}

void Pic16Chip::erase() {
    eraseProgram();
    std::fill(data_.begin(), data_.end(), 0xFF);
    config_ = kPicWordMask;
    ids_.fill(kPicWordMask);
    markChanged();
}

std::vector<std::uint8_t> Pic16Chip::extraState() const {
    std::vector<std::uint8_t> s;
    s.push_back(static_cast<std::uint8_t>(config_ & 0xFF));
    s.push_back(static_cast<std::uint8_t>(config_ >> 8));
    for (std::uint16_t id : ids_) {
        s.push_back(static_cast<std::uint8_t>(id & 0xFF));
        s.push_back(static_cast<std::uint8_t>(id >> 8));
    }
    s.insert(s.end(), data_.begin(), data_.end());
    return s;
}

bool Pic16Chip::loadExtraState(const std::vector<std::uint8_t>& s) {
    if (s.size() != 10 + data_.size()) return false;
    const auto word = [&s](std::size_t i) { return static_cast<std::uint16_t>((s[i] | s[i + 1] << 8) & kPicWordMask); };
    config_ = static_cast<std::uint16_t>(word(0) | (kPicWordMask & ~type_.implementedConfig));
    for (std::size_t i = 0; i < ids_.size(); ++i) ids_[i] = word(2 + 2 * i);
    std::copy(s.begin() + 10, s.end(), data_.begin());
    return true;
}

bool Pic16Chip::powered(const ChipView& v) const {
    const Pinout p = pinout();
    const bool vdd = v.hasVcc(p.vdd[0]) || v.hasVcc(p.vdd[1]);
    const bool vss = v.hasGround(p.vss[0]) || v.hasGround(p.vss[1]);
    return vdd && vss;
}

void Pic16Chip::reset() {
    programming_ = false;
    phase_ = Phase::Command;
    bits_ = 0;
    shift_ = 0;
    driving_ = false;
    armed_ = Armed::None;
}

std::uint16_t Pic16Chip::programWord(std::uint32_t w) const {
    const std::uint32_t a = 2 * (w % type_.words);
    const std::uint8_t low = faults().applyStuck(a, cells_[a]);
    const std::uint8_t high = faults().applyStuck(a + 1, cells_[a + 1]);
    return static_cast<std::uint16_t>((low | high << 8) & kPicWordMask);
}

void Pic16Chip::setProgramWord(std::uint32_t w, std::uint16_t value) {
    const std::uint32_t a = 2 * (w % type_.words);
    if (faults().programBlocked(a)) return;
    cells_[a] = static_cast<std::uint8_t>(value & 0xFF);
    cells_[a + 1] = static_cast<std::uint8_t>((value >> 8) & 0x3F);
    markChanged();
}

void Pic16Chip::eraseProgram() {
    for (std::uint32_t w = 0; w < type_.words; ++w) {
        cells_[2 * w] = 0xFF;
        cells_[2 * w + 1] = 0x3F;
    }
}

std::uint16_t Pic16Chip::readWord() const {
    if (command_ == piccmd::ReadDataMemory) {
        const bool dataProtected = type_.dataProtect != 0 && (config_ & type_.dataProtect) == 0;
        return dataProtected ? 0 : data_[pc_ % data_.size()];
    }
    if (pc_ < kPicConfigSpace) return codeProtected() ? 0 : programWord(pc_);
    const std::uint32_t offset = pc_ - kPicConfigSpace;
    if (offset < ids_.size()) return ids_[offset];
    if (pc_ == kDeviceIdAddress) return type_.deviceId;
    if (pc_ == kPicConfigWordAddress) return config_;
    return kPicWordMask;
}

void Pic16Chip::writeWord(std::uint32_t address, std::uint16_t value, bool dataMemory) {
    if (dataMemory) {
        data_[address % data_.size()] = static_cast<std::uint8_t>(value);
        markChanged();
        return;
    }
    if (address < kPicConfigSpace) {
        if (!codeProtected()) setProgramWord(address, value);
        return;
    }
    const std::uint32_t offset = address - kPicConfigSpace;
    if (offset < ids_.size()) {
        ids_[offset] = value & kPicWordMask;
    } else if (address == kPicConfigWordAddress) {
        auto word = static_cast<std::uint16_t>((value | (kPicWordMask & ~type_.implementedConfig)) & kPicWordMask);
        // Protection once on only goes with the clear sequence.
        if (codeProtected()) word = static_cast<std::uint16_t>(word & (config_ | ~type_.codeProtect));
        config_ = word;
    } else {
        return;
    }
    markChanged();
}

void Pic16Chip::finishCycle(std::int64_t now) {
    if (cycle_.kind == CycleKind::None || now < cycle_.endPs || faults().busyForever) return;
    switch (cycle_.kind) {
    case CycleKind::WriteWord: writeWord(cycle_.address, cycle_.value, cycle_.dataMemory); break;
    case CycleKind::EraseProgram:
        if (!codeProtected()) {
            eraseProgram();
            markChanged();
        }
        break;
    case CycleKind::EraseData:
        std::fill(data_.begin(), data_.end(), 0xFF);
        markChanged();
        break;
    case CycleKind::EraseAll: erase(); break;
    case CycleKind::None: break;
    }
    cycle_ = {};
}

void Pic16Chip::spoilCycle() {
    if (cycle_.kind == CycleKind::WriteWord && !cycle_.dataMemory && cycle_.address < kPicConfigSpace &&
        !codeProtected())
        setProgramWord(cycle_.address, static_cast<std::uint16_t>(cycle_.value | kSpoiledBits));
    cycle_ = {};
}

void Pic16Chip::beginProgramming(std::int64_t now) {
    Cycle c;
    c.endPs = now + static_cast<std::int64_t>(static_cast<double>(WriteCyclePs) * faults().eraseTimeFactor);
    switch (armed_) {
    case Armed::EraseProgram: c.kind = CycleKind::EraseProgram; break;
    case Armed::EraseData: c.kind = CycleKind::EraseData; break;
    case Armed::ProtectClear:
        if (pc_ == kPicConfigWordAddress) c.kind = CycleKind::EraseAll;
        break;
    default:
        c.kind = CycleKind::WriteWord;
        c.address = pc_;
        c.dataMemory = lastLoadData_;
        c.value = lastLoadData_ ? dataLatch_ : programLatch_;
        break;
    }
    if (c.kind != CycleKind::WriteWord)
        c.endPs = now + static_cast<std::int64_t>(static_cast<double>(BulkEraseCyclePs) * faults().eraseTimeFactor);
    armed_ = Armed::None;
    cycle_ = c;
}

void Pic16Chip::command(std::uint8_t cmd, std::int64_t now) {
    command_ = cmd;
    switch (cmd) {
    case piccmd::LoadConfiguration:
    case piccmd::LoadProgramData:
    case piccmd::LoadDataMemory: phase_ = Phase::DataIn; break;
    case piccmd::ReadProgramData:
    case piccmd::ReadDataMemory:
        armed_ = Armed::None;
        outWord_ = readWord();
        phase_ = Phase::DataOut;
        break;
    case piccmd::IncrementAddress:
        armed_ = Armed::None;
        pc_ = pc_ >= kPicConfigSpace ? kPicConfigSpace + ((pc_ + 1 - kPicConfigSpace) & 0x1FFF) : (pc_ + 1) & 0x1FFF;
        break;
    case piccmd::BeginProgramming: beginProgramming(now); break;
    case piccmd::BulkEraseProgram: armed_ = Armed::EraseProgram; break;
    case piccmd::BulkEraseData: armed_ = Armed::EraseData; break;
    case piccmd::ProtectClearA: armed_ = Armed::ProtectClearHalf; break;
    case piccmd::ProtectClearB:
        armed_ = armed_ == Armed::ProtectClearHalf ? Armed::ProtectClear : Armed::None;
        break;
    default: break;
    }
}

void Pic16Chip::loaded(std::uint16_t word) {
    switch (command_) {
    case piccmd::LoadConfiguration:
        pc_ = kPicConfigSpace;
        programLatch_ = word;
        lastLoadData_ = false;
        break;
    case piccmd::LoadProgramData:
        programLatch_ = word;
        lastLoadData_ = false;
        break;
    case piccmd::LoadDataMemory:
        dataLatch_ = static_cast<std::uint8_t>(word);
        lastLoadData_ = true;
        break;
    default: break;
    }
}

void Pic16Chip::clockRise(std::int64_t now) {
    // Anything clocked in while a cycle runs cuts it short.
    if (cycle_.kind != CycleKind::None) {
        finishCycle(now);
        if (cycle_.kind != CycleKind::None) spoilCycle();
    }
    if (phase_ == Phase::DataOut) {
        // Rising edge k (1..16) of the frame: data bits on edges 2..15.
        const int edge = bits_ + 1;
        driving_ = edge >= 2 && edge <= 15;
        driveHigh_ = driving_ && ((outWord_ >> (edge - 2)) & 1) != 0;
    }
}

void Pic16Chip::clockFall(bool dataHigh, std::int64_t now) {
    if (dataHigh) shift_ |= 1u << bits_;
    ++bits_;
    switch (phase_) {
    case Phase::Command:
        if (bits_ < kCommandBits) return;
        {
            const auto cmd = static_cast<std::uint8_t>(shift_ & 0x3F);
            bits_ = 0;
            shift_ = 0;
            command(cmd, now);
        }
        return;
    case Phase::DataIn:
        if (bits_ < kFrameBits) return;
        loaded(static_cast<std::uint16_t>((shift_ >> 1) & kPicWordMask));
        break;
    case Phase::DataOut:
        if (bits_ < kFrameBits) return;
        driving_ = false;
        break;
    }
    phase_ = Phase::Command;
    bits_ = 0;
    shift_ = 0;
}

ChipDrive Pic16Chip::update(const ChipView& v) {
    ChipDrive d;
    finishCycle(v.nowPs);
    const Pinout p = pinout();
    if (!powered(v)) {
        if (cycle_.kind != CycleKind::None) spoilCycle();
        reset();
        mclrWasLow_ = false;
        return d;
    }
    const int vpp = v.vppAt(p.mclr);
    const bool atVpp = vpp >= MinVppMillivolts && vpp <= MaxVppMillivolts;
    const bool mclrLow = vpp == 0 && v.low(p.mclr);
    if (!programming_ && atVpp && mclrWasLow_ && v.low(p.rb6) && v.low(p.rb7)) {
        reset();
        programming_ = true;
        pc_ = 0;
        clockHigh_ = false;
    } else if (programming_ && !atVpp) {
        if (cycle_.kind != CycleKind::None) spoilCycle();
        reset();
    }
    mclrWasLow_ = mclrLow;
    if (!programming_) return d;

    const bool clockHigh = v.high(p.rb6);
    if (clockHigh && !clockHigh_) clockRise(v.nowPs);
    else if (!clockHigh && clockHigh_) clockFall(v.high(p.rb7), v.nowPs);
    clockHigh_ = clockHigh;
    if (driving_) d.drive(p.rb7, driveHigh_);
    return d;
}

// Microchip PIC16F84A (DS35007B), "Absolute Maximum Ratings": "Voltage on any
// pin with respect to VSS (except VDD, MCLR, and RA4) -0.3V to (VDD + 0.3V);
// Voltage on VDD with respect to VSS -0.3 to +7.5V; Voltage on MCLR with
// respect to VSS -0.3 to +14V; Voltage on RA4 with respect to VSS -0.3 to
// +8.5V"; "Input clamp current, IIK (VI < 0 or VI > VDD) +-20 mA". PIC16F87X
// (DS30292C) gives the same, MCLR "0 to +14 V". RB6 and RB7 clamp to VDD when
// the part is unpowered; MCLR/VPP has no diode to VDD, and RA4, the open-drain
// pin rated to 8.5 V, has none either (the model does not name it, so the
// socket check leaves it alone). The data sheets of the PIC16C84, PIC16F83 and
// PIC16F84 were not at hand: the PIC16F84A's figures stand for them.
ChipRatings Pic16Chip::ratings() const {
    const Pinout p = pinout();
    ChipRatings r = ProgrammableRatings(p.vdd[0], p.vss[0], rating::Signal7V, UnpoweredInputs::Forbidden, p.mclr,
                                        rating::Vpp14V);
    r.supplyMaxMillivolts = 7500;
    r.supply |= pinBit(p.vdd[1]);
    r.ground |= pinBit(p.vss[1]);
    return r;
}

// The serial programming pins of the package; the others are left alone.
quarvin::Pinout Pic16Chip::pinLabels() const {
    const Pinout p = pinout();
    PinLabels labels(type_.pins);
    labels.pin(p.mclr, "MCLR/VPP", PinRole::Vpp).pin(p.rb6, "RB6", PinRole::Clock).pin(p.rb7, "RB7", PinRole::Data);
    for (int pin : p.vdd) labels.pin(pin, "VDD", PinRole::Vcc);
    for (int pin : p.vss) labels.pin(pin, "VSS", PinRole::Ground);
    return labels.take();
}

} // namespace quarvin::sim
