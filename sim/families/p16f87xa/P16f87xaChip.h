#pragma once
// PIC16F873A/874A/876A/877A in their high-voltage serial programming mode, as
// Microchip's FLASH memory programming document DS39589B describes them.
//
// Entry (section 2.4): RB6 and RB7 held low while MCLR rises from VIL to VIHH;
// the program counter starts at 0. Commands (Table 2-1) are six clocks, LSB
// first, the sixth bit a don't-care (Figures 6-1..6-10); loads and reads take a
// 16-clock frame. Program memory is written eight words at a time from eight
// data latches (section 2.4.2.7): the latch a load fills is the one the low
// three bits of the counter select, and Begin Erase/Programming erases and
// writes the eight words of the counter's row, internally timed (tprog2, 8 ms
// at most, Table 6-1). Begin Programming Only programs without the erase until
// End Programming, which needs tprog1 (1 ms) and sets the latches to 1s
// (sections 2.4.2.8, 2.4.2.9). Bulk erases follow a Begin Erase/Programming;
// Chip Erase is self-timed (tprog3, 8 ms at most) and the only way out of code
// protection (section 2.5). While CP is 0 program memory reads 0 and takes no
// writes; while CPD is 0 the data memory does the same (sections 2.4.2.3,
// 2.5.2). The device ID at 0x2006 and the configuration word at 0x2007 always
// read (section 3.0). On the 4K-word parts "1000h to 1FFFh wraps to 0000h to
// 0FFFh" (Register 3-1).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/families/pic16c8x/PicSerialChip.h"
#include "sim/families/pic16c8x/PicSerialFrames.h"

namespace quarvin::sim {

struct P16f87xaType {
    const char* name;
    int pins; // 28 or 40
    std::uint32_t words;
    std::uint32_t dataBytes;
    std::uint16_t deviceId; // DEV bits of Table 3-1 above the four revision bits
};

const P16f87xaType* FindP16f87xaType(const std::string& name);

class P16f87xaChip : public PicSerialChip {
public:
    explicit P16f87xaChip(const P16f87xaType& type);

    std::string label() const override { return type_.name; }
    int ratedVppMillivolts() const override { return RatedVppMillivolts; }
    void erase() override;
    bool codeProtected() const { return (config_ & CodeProtectBit) == 0; }
    bool dataProtected() const { return (config_ & DataProtectBit) == 0; }
    void setRevision(std::uint16_t revision) { revision_ = revision & 0xF; }

    // Register 3-1: CP bit 13, CPD bit 8; bits 12, 5 and 4 are unimplemented and read 1.
    static constexpr std::uint16_t CodeProtectBit = 0x2000;
    static constexpr std::uint16_t DataProtectBit = 0x0100;
    static constexpr std::uint16_t UnimplementedConfig = 0x1030;
    // Section 1.1: "raising MCLR pin from VIL to VIHH (13V ± 0.5V)".
    static constexpr int RatedVppMillivolts = 13000;
    static constexpr int MinVppMillivolts = 12500;
    static constexpr int MaxVppMillivolts = 13500;
    // Table 6-1: tprog2 and tprog3 8 ms max, tprog1 1 ms min.
    static constexpr std::int64_t EraseWriteCyclePs = 8'000'000'000;
    static constexpr std::int64_t ChipEraseCyclePs = 8'000'000'000;
    static constexpr std::int64_t ProgramOnlyMinPs = 1'000'000'000;
    static constexpr int RowWords = 8;

private:
    enum class Armed { None, EraseProgram, EraseData };
    enum class CycleKind { None, WriteRow, WriteData, EraseProgram, EraseData, ChipErase, ProgramOnly };
    struct Cycle {
        CycleKind kind = CycleKind::None;
        std::uint32_t address = 0;
        std::int64_t startPs = 0;
        std::int64_t endPs = 0;
    };
    void settle(std::int64_t now) override;
    void onLeave() override;
    void onClockRise(std::int64_t now) override;
    void command(std::uint8_t cmd, std::int64_t now) override;
    void loaded(std::uint16_t word) override;
    void start(CycleKind kind, std::int64_t now, std::int64_t lengthPs);
    void cutCycle();
    void complete(const Cycle& c, bool cut);
    void writeRow(std::uint32_t address, bool eraseFirst, bool eraseOnly);
    std::uint16_t readProgram() const;
    void eraseData();

    const P16f87xaType& type_;
    std::uint16_t revision_ = 0;

    std::uint8_t command_ = 0;
    std::array<std::uint16_t, RowWords> latches_{};
    std::uint8_t dataLatch_ = 0xFF;
    bool lastLoadData_ = false;
    Armed armed_ = Armed::None;
    Cycle cycle_;
};

} // namespace quarvin::sim
