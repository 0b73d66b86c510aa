#pragma once
// PIC16C84, 16F83/84/84A and 16F873/874/876/877 in their serial programming
// mode. The part enters the mode when MCLR rises from low to Vpp (12 V or more)
// with RB6 (clock) and RB7 (data) low; the program counter starts at 0. A 6-bit
// command is clocked in LSB first on falling RB6 edges; the load commands take a
// 16-clock frame (start bit, 14 data bits, stop bit), the read commands drive
// RB7 from the second to the fifteenth clock. Load Configuration moves the
// counter to 0x2000 (IDs at 0x2000..0x2003, device ID at 0x2006, configuration
// word at 0x2007). Begin Programming runs a self-timed erase/write cycle; a
// command clocked in before it ends spoils the word. 9 then 8 erases the program
// memory, 11 then 8 the data memory, 1, 7, 8 at 0x2007 clears the protection and
// erases everything. While code protection is on, program memory reads 0 and
// does not take writes or a bulk erase.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/families/pic16c8x/PicSerialChip.h"
#include "sim/families/pic16c8x/PicSerialFrames.h"

namespace quarvin::sim {

struct Pic16Type {
    const char* name;
    int pins;                       // 18, 28 or 40
    std::uint32_t words;
    std::uint32_t dataBytes;
    std::uint16_t implementedConfig; // configuration bits the part has; the rest read 1
    std::uint16_t codeProtect;       // any of these at 0 protects the program memory
    std::uint16_t dataProtect;       // 0 at this bit protects the data memory (0: none)
    std::uint16_t deviceId;          // word 0x2006, 0x3FFF for parts without one
};

const Pic16Type* FindPic16Type(const std::string& name);

class Pic16Chip : public PicSerialChip {
public:
    explicit Pic16Chip(const Pic16Type& type);

    std::string label() const override { return type_.name; }
    int ratedVppMillivolts() const override { return RatedVppMillivolts; }
    void erase() override;
    bool codeProtected() const { return (config_ & type_.codeProtect) != type_.codeProtect; }

    static constexpr int RatedVppMillivolts = 12700;
    static constexpr int MinVppMillivolts = 12000;
    static constexpr int MaxVppMillivolts = 14000;
    static constexpr std::int64_t WriteCyclePs = 8'000'000'000;     // 8 ms erase/write of one word
    static constexpr std::int64_t BulkEraseCyclePs = 10'000'000'000; // 10 ms

private:
    enum class Armed { None, EraseProgram, EraseData, ProtectClearHalf, ProtectClear };
    enum class CycleKind { None, WriteWord, EraseProgram, EraseData, EraseAll };
    struct Cycle {
        CycleKind kind = CycleKind::None;
        std::uint32_t address = 0;
        std::uint16_t value = 0;
        bool dataMemory = false;
        std::int64_t endPs = 0;
    };

    void settle(std::int64_t now) override;
    void onLeave() override;
    void onClockRise(std::int64_t now) override;
    void command(std::uint8_t cmd, std::int64_t now) override;
    void loaded(std::uint16_t word) override;
    void beginProgramming(std::int64_t now);
    void spoilCycle();
    void writeWord(std::uint32_t address, std::uint16_t value, bool dataMemory);
    std::uint16_t readWord() const;

    const Pic16Type& type_;

    std::uint8_t command_ = 0;
    std::uint16_t programLatch_ = 0x3FFF;
    std::uint8_t dataLatch_ = 0xFF;
    bool lastLoadData_ = false;
    Armed armed_ = Armed::None;
    Cycle cycle_;
};

} // namespace quarvin::sim
