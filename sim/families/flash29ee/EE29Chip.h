#pragma once
// 29EE page-write flash memories at pin level (JEDEC 28- and 32-pin pinouts).
// Byte loads on /WE rising edges (/CE low, /OE high) fill a page latch; the page
// is the one of the first load, and 200 us without a load starts the write: a
// 5 ms cycle that erases the page and programs the bytes loaded (a byte not
// loaded ends as 0xFF); meanwhile writes are ignored and reads give the last
// byte's DQ7 inverted and a DQ6 that toggles with every read cycle. Software
// data protection as SdpPageLatch.h tells, the chip erase taking 20 ms; new
// chips come with the protection off. 12 V on A9 reads the maker (A0 low) and
// device (A0 high) codes. A protected range (the W29C boot-block lockout)
// ignores writes and disables the chip erase. The Winbond parts ignore writes
// for 10 ms after the supply comes on.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/JedecPinout.h"
#include "sim/ops/PageLoadBus.h"
#include "sim/ops/SdpPageLatch.h"

namespace quarvin::sim {

struct EE29Type {
    const char* name;
    int pins;        // 28 or 32
    int addressBits;
    int pageSize;    // 64, 128 or 256
    std::uint8_t maker, device;
    int powerUpWriteDelayUs; // writes are ignored this long after the supply comes on
};

const EE29Type* FindEE29Type(const std::string& name);

class EE29Chip : public Chip {
public:
    explicit EE29Chip(const EE29Type& type);

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
    bool busy() const { return busy_ != Busy::None; }

    static constexpr std::int64_t LoadTimeoutPs = 200'000'000;    // 200 us
    static constexpr std::int64_t WriteCyclePs = 5'000'000'000;   // 5 ms
    static constexpr std::int64_t ChipErasePs = 20'000'000'000;   // 20 ms
    static constexpr int IdentifyMillivolts = 11500;

private:
    enum class Busy { None, Write, Erase };

    void endPage(const std::vector<PageLoad>& loads, std::int64_t at);
    void writePage(const std::vector<PageLoad>& loads, std::size_t from);
    void startBusy(Busy kind, std::int64_t at, std::int64_t lastingPs);
    void finishBusy();
    bool locked(std::uint32_t a) const;
    std::uint8_t readValue(const ChipView& v, std::uint32_t a) const;

    const EE29Type& type_;
    const JedecPinout& pinout_;
    std::vector<std::uint8_t> cells_;
    PageLoadBus bus_;
    bool powered_ = false;
    std::int64_t poweredSincePs_ = 0;
    bool protected_ = false;
    Busy busy_ = Busy::None;
    std::int64_t busyUntil_ = 0;
};

} // namespace quarvin::sim
