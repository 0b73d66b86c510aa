#include "sim/families/p16f87xa/P16f87xaChip.h"

#include <algorithm>

#include "sim/SimFamily.h"

namespace quarvin::sim {

namespace {

constexpr std::uint32_t kConfigSpace = 0x2000;
constexpr std::uint32_t kUserSpaceMask = 0x1FFF;
constexpr std::uint32_t kDeviceIdAddress = 0x2006;
constexpr std::uint32_t kConfigWordAddress = 0x2007;
constexpr std::uint32_t kTestRowEnd = 0x201F; // "physically implemented test memory (2000h - 201Fh)"

// Table 2-1; the sixth bit is a don't-care (Figures 6-1 to 6-10).
namespace cmd {
constexpr std::uint8_t LoadConfiguration = 0x00;
constexpr std::uint8_t LoadProgram = 0x02;
constexpr std::uint8_t LoadData = 0x03;
constexpr std::uint8_t ReadProgram = 0x04;
constexpr std::uint8_t ReadData = 0x05;
constexpr std::uint8_t IncrementAddress = 0x06;
constexpr std::uint8_t BeginEraseProgramming = 0x08;
constexpr std::uint8_t BulkEraseProgram = 0x09;
constexpr std::uint8_t BulkEraseData = 0x0B;
constexpr std::uint8_t EndProgramming = 0x17;
constexpr std::uint8_t BeginProgrammingOnly = 0x18;
constexpr std::uint8_t ChipErase = 0x1F;
constexpr std::uint8_t Significant = 0x1F;
} // namespace cmd

// Table 3-1: the DEV bits above four revision bits. The models answer with
// revision 0 unless a test sets another.
const P16f87xaType kTypes[] = {
    {"PIC16F873A", 28, 4096, 128, 0x0E40},
    {"PIC16F874A", 40, 4096, 128, 0x0E60},
    {"PIC16F876A", 28, 8192, 256, 0x0E00},
    {"PIC16F877A", 40, 8192, 256, 0x0E20},
};

} // namespace

const P16f87xaType* FindP16f87xaType(const std::string& name) {
    for (const P16f87xaType& t : kTypes)
        if (SamePartName(name, t.name)) return &t;
    return nullptr;
}

// The mode is entered "holding pins RB6 and RB7 low, while raising MCLR pin
// from VIL to VIHH" (section 2.4); "A device RESET will clear the PC and set the
// address to '0'".
P16f87xaChip::P16f87xaChip(const P16f87xaType& type)
    : PicSerialChip(type.pins, type.words, type.dataBytes, UnimplementedConfig, {MinVppMillivolts, MaxVppMillivolts}),
      type_(type) {
    latches_.fill(kWordMask);
}

void P16f87xaChip::eraseData() {
    std::fill(data_.begin(), data_.end(), 0xFF);
    markChanged();
}

void P16f87xaChip::erase() {
    eraseProgram();
    eraseData();
    config_ = kWordMask;
    ids_.fill(kWordMask);
}

// Leaving the mode ends a cycle under way.
void P16f87xaChip::onLeave() {
    if (cycle_.kind != CycleKind::None) cutCycle();
    armed_ = Armed::None;
}

std::uint16_t P16f87xaChip::readProgram() const {
    // Section 2.5.2: "all protected program and data memory locations read all '0's".
    if (pc_ < kConfigSpace) return codeProtected() ? 0 : programWord(pc_);
    const std::uint32_t offset = pc_ - kConfigSpace;
    if (offset < ids_.size()) return ids_[offset];
    if (pc_ == kDeviceIdAddress) return static_cast<std::uint16_t>(type_.deviceId | revision_);
    if (pc_ == kConfigWordAddress) return config_;
    return kWordMask; // reserved locations: the document gives no contents
}

// Writes the row of eight words the counter points into (section 2.4.2.7): in
// user memory the latches; in the test row the ID locations, and the
// configuration word only when the counter points at 0x2007. An erase-only
// pass (a cycle cut short) leaves the row erased and not written.
void P16f87xaChip::writeRow(std::uint32_t address, bool eraseFirst, bool eraseOnly) {
    const std::uint32_t base = address & ~static_cast<std::uint32_t>(RowWords - 1);
    if (address < kConfigSpace) {
        if (codeProtected()) return; // "further programming is disabled"
        for (std::uint32_t i = 0; i < RowWords; ++i) {
            const std::uint16_t old = eraseFirst ? kWordMask : programWord(base + i);
            const std::uint16_t value = eraseOnly ? kWordMask : latches_[i];
            setProgramWord(base + i, static_cast<std::uint16_t>(old & value));
        }
        return;
    }
    if (address == kConfigWordAddress) {
        // "The code protect bits cannot be erased with this command" (2.4.2.7 note 1).
        constexpr std::uint16_t kProtectBits = CodeProtectBit | DataProtectBit;
        const std::uint16_t old = eraseFirst ? static_cast<std::uint16_t>(kWordMask & (config_ | ~kProtectBits)) : config_;
        const std::uint16_t value = eraseOnly ? kWordMask : latches_[RowWords - 1];
        config_ = static_cast<std::uint16_t>((old & value) | UnimplementedConfig);
        markChanged();
        return;
    }
    if (base != kConfigSpace) return;
    for (std::size_t i = 0; i < ids_.size(); ++i) {
        const std::uint16_t old = eraseFirst ? kWordMask : ids_[i];
        ids_[i] = static_cast<std::uint16_t>(old & (eraseOnly ? kWordMask : latches_[i]));
    }
    markChanged();
}

void P16f87xaChip::complete(const Cycle& c, bool cut) {
    switch (c.kind) {
    case CycleKind::WriteRow: writeRow(c.address, true, cut); break;
    case CycleKind::ProgramOnly:
        if (!cut) writeRow(c.address, false, false);
        break;
    case CycleKind::WriteData:
        if (!dataProtected()) {
            data_[c.address % data_.size()] = cut ? 0xFF : dataLatch_;
            markChanged();
        }
        break;
    // "The Bulk Erase command is disabled when the CP bit is programmed"; with the
    // counter in the test row the ID locations go too, never the configuration word.
    case CycleKind::EraseProgram:
        if (!codeProtected() && !cut) {
            eraseProgram();
            if (c.address >= kConfigSpace && c.address <= kTestRowEnd) ids_.fill(kWordMask);
        }
        break;
    case CycleKind::EraseData:
        if (!dataProtected() && !cut) eraseData();
        break;
    // Chip Erase: program memory, data memory and the configuration word; the ID
    // locations only with the counter in configuration memory (2.5.2.1). The
    // protection goes last ("all program and data memory is erased before the
    // code protect bits are erased"), so a cut erase leaves it on.
    case CycleKind::ChipErase:
        eraseProgram();
        eraseData();
        if (!cut) {
            config_ = kWordMask;
            if (c.address >= kConfigSpace) ids_.fill(kWordMask);
        }
        markChanged();
        break;
    case CycleKind::None: break;
    }
}

void P16f87xaChip::settle(std::int64_t now) {
    if (cycle_.kind == CycleKind::None || cycle_.kind == CycleKind::ProgramOnly) return;
    if (now < cycle_.endPs || faults().busyForever) return;
    const Cycle c = cycle_;
    cycle_ = {};
    complete(c, false);
}

void P16f87xaChip::cutCycle() {
    const Cycle c = cycle_;
    cycle_ = {};
    complete(c, true);
}

void P16f87xaChip::start(CycleKind kind, std::int64_t now, std::int64_t lengthPs) {
    cycle_.kind = kind;
    cycle_.address = pc_;
    cycle_.startPs = now;
    cycle_.endPs = now + static_cast<std::int64_t>(static_cast<double>(lengthPs) * faults().eraseTimeFactor);
}

void P16f87xaChip::command(std::uint8_t raw, std::int64_t now) {
    command_ = raw & cmd::Significant;
    const Armed armed = armed_;
    armed_ = Armed::None;
    switch (command_) {
    case cmd::LoadConfiguration:
    case cmd::LoadProgram:
    case cmd::LoadData:
        armed_ = armed;
        frames_.expectLoad();
        break;
    case cmd::ReadProgram: frames_.sendWord(readProgram()); break;
    case cmd::ReadData: frames_.sendWord(dataProtected() ? 0 : data_[pc_ % data_.size()]); break;
    case cmd::IncrementAddress:
        // "The PC will increment from 0000h to 1FFFh and wrap around to 0000h. From
        // 2000h, the PC will increment up to 3FFFh and wrap around to 2000h" (2.1).
        pc_ = pc_ >= kConfigSpace ? kConfigSpace + ((pc_ + 1) & kUserSpaceMask) : (pc_ + 1) & kUserSpaceMask;
        break;
    case cmd::BeginEraseProgramming: {
        const CycleKind kind = armed == Armed::EraseProgram ? CycleKind::EraseProgram
                             : armed == Armed::EraseData    ? CycleKind::EraseData
                             : lastLoadData_                ? CycleKind::WriteData
                                                            : CycleKind::WriteRow;
        start(kind, now, EraseWriteCyclePs);
        break;
    }
    case cmd::BeginProgrammingOnly:
        cycle_.kind = CycleKind::ProgramOnly;
        cycle_.address = pc_;
        cycle_.startPs = now;
        break;
    case cmd::EndProgramming:
        if (cycle_.kind == CycleKind::ProgramOnly) {
            const Cycle c = cycle_;
            cycle_ = {};
            complete(c, now - c.startPs < ProgramOnlyMinPs);
        }
        latches_.fill(kWordMask); // section 2.4.2.9
        break;
    case cmd::BulkEraseProgram: armed_ = Armed::EraseProgram; break;
    case cmd::BulkEraseData: armed_ = Armed::EraseData; break;
    case cmd::ChipErase: start(CycleKind::ChipErase, now, ChipEraseCyclePs); break;
    default: break;
    }
}

void P16f87xaChip::loaded(std::uint16_t word) {
    switch (command_) {
    case cmd::LoadConfiguration:
        pc_ = kConfigSpace;
        latches_[0] = word;
        lastLoadData_ = false;
        break;
    case cmd::LoadProgram:
        latches_[pc_ % RowWords] = word;
        lastLoadData_ = false;
        break;
    case cmd::LoadData:
        // "only the first 8 bits of data after the START bit will be programmed"
        dataLatch_ = static_cast<std::uint8_t>(word & 0xFF);
        lastLoadData_ = true;
        break;
    default: break;
    }
}

// A command clocked in before an internally timed cycle ends cuts it short.
void P16f87xaChip::onClockRise(std::int64_t now) {
    settle(now);
    if (cycle_.kind != CycleKind::None && cycle_.kind != CycleKind::ProgramOnly) cutCycle();
}

} // namespace quarvin::sim
