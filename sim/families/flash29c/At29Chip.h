#pragma once
// AT29C page-write ("sector") flash memories at pin level, from Atmel's data
// sheets: AT29C256 (doc 0046, 28-pin DIP with /WE on pin 1 and A14 on pin 27)
// and AT29C040A (doc 0333, JEDEC 32-pin). Byte loads on the rising edge of /WE
// with /CE low and /OE high fill the page latch; a load more than 150 us (tBLC)
// after the one before ends the load period and starts the 10 ms (tWC) program
// cycle, which erases the page and programs the bytes loaded. Meanwhile writes
// are ignored and reads give DATA polling and the toggle bit. Software data
// protection (shipped off): AA/5555 55/2AAA A0/5555 before the page's data is a
// protected write and turns it on; AA 55 80 AA 55 20 before the page's data
// turns it off; while it is on, a page without the code writes nothing but
// still runs a program cycle. 12 V on A9 (or the code AA 55 90 until AA 55 F0)
// reads the maker code (A0 low) and the device code (A0 high). Writes are
// ignored for 5 ms after the supply comes on.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/JedecPinout.h"
#include "sim/ops/PageLoadBus.h"

namespace quarvin::sim {

struct At29Type {
    const char* name;
    const JedecPinout& pinout;
    int addressBits;
    int pageSize;
    std::uint8_t maker, device;
};

const At29Type* FindAt29Type(const std::string& name);

class At29Chip : public Chip {
public:
    explicit At29Chip(const At29Type& type);

    int pinCount() const override { return type_.pinout.pins; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    void erase() override;
    // One byte: 1 when the software data protection is on.
    std::vector<std::uint8_t> extraState() const override { return {static_cast<std::uint8_t>(protected_ ? 1 : 0)}; }
    bool loadExtraState(const std::vector<std::uint8_t>& state) override;

    bool dataProtection() const { return protected_; }
    void setDataProtection(bool on) { protected_ = on; }
    bool busy() const { return busy_; }

    // "Program Cycle Characteristics" of the AT29C256 (doc 0046) and of the
    // AT29C040A (doc 0333I, page 9): tBLC 150 us max, tWC 10 ms max, the same
    // on both parts.
    static constexpr std::int64_t LoadWindowPs = 150'000'000;
    static constexpr std::int64_t WriteCyclePs = 10'000'000'000;
    // "Hardware data protection (b): once Vcc has reached the Vcc sense level,
    // the device will automatically time out 5 ms (typical) before programming."
    static constexpr std::int64_t PowerOnDelayPs = 5'000'000'000;
    // "VH = 12.0 V +- 0.5 V" (Operating Modes, note 3): the lowest level that identifies.
    static constexpr int IdentifyMillivolts = 11500;

private:
    void endPage(const std::vector<PageLoad>& loads, std::int64_t at);
    void writePage(const std::vector<PageLoad>& loads, std::size_t from);
    std::uint8_t readValue(const ChipView& v, std::uint32_t a) const;

    const At29Type& type_;
    std::vector<std::uint8_t> cells_;
    PageLoadBus bus_;
    bool powered_ = false;
    std::int64_t poweredSincePs_ = 0;
    bool protected_ = false;
    bool identifying_ = false;
    bool busy_ = false;
    std::int64_t busyUntil_ = 0;
};

} // namespace quarvin::sim
