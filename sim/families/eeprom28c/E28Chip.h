#pragma once
// 28C parallel EEPROMs at pin level (JEDEC 28- and 32-pin pinouts). Byte loads
// on /WE rising edges (/CE low, /OE high) fill a page latch; the page is fixed
// by the first load, and a load more than 150 us after the one before ends the
// page: the chip then writes it in a 5 ms cycle, during which writes are ignored
// and reads give DQ7 polling (the last byte's bit 7 inverted) and a toggling DQ6.
// Software data protection: a page whose loads start with AA/5555, 55/2AAA,
// A0/5555 is written and turns the protection on; AA 55 80 AA 55 20 turns it
// off, AA 55 80 AA 55 10 erases the chip. While it is on, loads without the
// prefix are ignored; while it is off, a broken sequence is a plain write. There
// are no JEDEC codes: 12 V on A9 reads the identification row, erased 0xFF.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/JedecPinout.h"
#include "sim/ops/PageLoadBus.h"
#include "sim/ops/SdpPageLatch.h"

namespace quarvin::sim {

struct E28Type {
    const char* name;
    int pins;          // 28 or 32
    int addressBits;
    int pageSize;      // 64, 128 or 256
};

const E28Type* FindE28Type(const std::string& name);

class E28Chip : public Chip {
public:
    explicit E28Chip(const E28Type& type);

    int pinCount() const override { return type_.pins; }
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

    static constexpr std::int64_t LoadWindowPs = 150'000'000;    // 150 us
    static constexpr std::int64_t WriteCyclePs = 5'000'000'000; // 5 ms

private:
    std::uint32_t address(const ChipView& v) const;
    void endPage(const std::vector<PageLoad>& loads, std::int64_t at);

    const E28Type& type_;
    const JedecPinout& pinout_;
    std::vector<std::uint8_t> cells_;
    PageLoadBus bus_;
    bool protected_ = false;
    bool busy_ = false;
    std::int64_t busyUntil_ = 0;
};

} // namespace quarvin::sim
