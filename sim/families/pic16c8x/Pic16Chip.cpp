#include "sim/families/pic16c8x/Pic16Chip.h"

#include "sim/families/pic16c8x/PicPackage.h"

#include <algorithm>
#include <cctype>

#include "sim/SimFamily.h"

#include "families/pic16c8x/Pic16Rows.h"

namespace quarvin::sim {

namespace {

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
    : PicSerialChip(type.pins, type.words, type.dataBytes, static_cast<std::uint16_t>(kPicWordMask & ~type.implementedConfig),
                    {MinVppMillivolts, MaxVppMillivolts}),
      type_(type) {}

void Pic16Chip::erase() {
    eraseProgram();
    std::fill(data_.begin(), data_.end(), 0xFF);
    config_ = kPicWordMask;
    ids_.fill(kPicWordMask);
    markChanged();
}

void Pic16Chip::onLeave() {
    if (cycle_.kind != CycleKind::None) spoilCycle();
    armed_ = Armed::None;
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

void Pic16Chip::settle(std::int64_t now) {
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
    case piccmd::LoadDataMemory: frames_.expectLoad(); break;
    case piccmd::ReadProgramData:
    case piccmd::ReadDataMemory:
        armed_ = Armed::None;
        frames_.sendWord(readWord());
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

void Pic16Chip::onClockRise(std::int64_t now) {
    // Anything clocked in while a cycle runs cuts it short.
    if (cycle_.kind != CycleKind::None) {
        settle(now);
        if (cycle_.kind != CycleKind::None) spoilCycle();
    }
}

} // namespace quarvin::sim
