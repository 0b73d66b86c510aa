#pragma once
// UV-erasable EPROMs from the 2716 to the 27080: read, blank check, programme,
// verify and sum, with three programming voltages for the older types.
#include <array>
#include <cstdint>

#include "families/framework/MemoryDialog.h"

namespace quarvin {

struct EpromRow {
    const char* name;            // row label
    std::uint32_t lastAddress;   // device size - 1
    std::int8_t supplyPin;       // socket pin with Vcc; 34 selects the 28-pin address encoding
    std::int8_t vppPin;          // socket pin with Vpp while programming
    std::int32_t vppMillivolts;  // programming voltage
    std::int8_t pulseBase;       // pulses for "1 time"; signed
    std::uint16_t programOpcode; // the box's program-byte command; its low byte is sent
    std::int32_t readBackCheck;  // 1: the byte the box reads back is compared
    // Address lines above the device are driven high.
    constexpr std::uint32_t highAddressMask() const { return ~lastAddress; }
};

// Row 0 is the placeholder for an unknown sub-type.
inline constexpr std::array<EpromRow, 22> kEpromRows{{
    {.name = "???", .lastAddress = 0, .supplyPin = 0, .vppPin = 0, .vppMillivolts = 0, .pulseBase = 4, .programOpcode = 0, .readBackCheck = 0},
    {.name = "2716    12.7v", .lastAddress = 0x7FF, .supplyPin = 32, .vppPin = 29, .vppMillivolts = 12500, .pulseBase = 10, .programOpcode = 144, .readBackCheck = 0},
    {.name = "2716    21v", .lastAddress = 0x7FF, .supplyPin = 32, .vppPin = 29, .vppMillivolts = 21000, .pulseBase = 10, .programOpcode = 144, .readBackCheck = 0},
    {.name = "2716    25v", .lastAddress = 0x7FF, .supplyPin = 32, .vppPin = 29, .vppMillivolts = 25000, .pulseBase = 10, .programOpcode = 144, .readBackCheck = 0},
    {.name = "2732    12.7v", .lastAddress = 0xFFF, .supplyPin = 32, .vppPin = 28, .vppMillivolts = 12500, .pulseBase = 10, .programOpcode = 141, .readBackCheck = 0},
    {.name = "2732    21v", .lastAddress = 0xFFF, .supplyPin = 32, .vppPin = 28, .vppMillivolts = 21000, .pulseBase = 10, .programOpcode = 141, .readBackCheck = 0},
    {.name = "2732    25v", .lastAddress = 0xFFF, .supplyPin = 32, .vppPin = 28, .vppMillivolts = 25000, .pulseBase = 10, .programOpcode = 141, .readBackCheck = 0},
    {.name = "2764    12.7v", .lastAddress = 0x1FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 12700, .pulseBase = 10, .programOpcode = 142, .readBackCheck = 1},
    {.name = "2764    21v", .lastAddress = 0x1FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 21000, .pulseBase = 10, .programOpcode = 142, .readBackCheck = 1},
    {.name = "2764    25v", .lastAddress = 0x1FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 25000, .pulseBase = 10, .programOpcode = 142, .readBackCheck = 1},
    {.name = "27128   12.7v", .lastAddress = 0x3FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 12700, .pulseBase = 10, .programOpcode = 142, .readBackCheck = 1},
    {.name = "27128   21v", .lastAddress = 0x3FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 21000, .pulseBase = 10, .programOpcode = 142, .readBackCheck = 1},
    {.name = "27128   25v", .lastAddress = 0x3FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 25000, .pulseBase = 10, .programOpcode = 142, .readBackCheck = 1},
    {.name = "27c256   12.7v", .lastAddress = 0x7FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 12700, .pulseBase = 1, .programOpcode = 143, .readBackCheck = 1},
    {.name = "27c512   12.7v", .lastAddress = 0xFFFF, .supplyPin = 34, .vppPin = 28, .vppMillivolts = 12700, .pulseBase = 1, .programOpcode = 141, .readBackCheck = 1},
    {.name = "27c513   12.7v", .lastAddress = 0xFFFF, .supplyPin = 34, .vppPin = 28, .vppMillivolts = 12700, .pulseBase = 1, .programOpcode = 141, .readBackCheck = 1},
    {.name = "27010   12.7v", .lastAddress = 0x1FFFF, .supplyPin = 36, .vppPin = 5, .vppMillivolts = 12700, .pulseBase = 1, .programOpcode = 140, .readBackCheck = 1},
    {.name = "27020   12.7v", .lastAddress = 0x3FFFF, .supplyPin = 36, .vppPin = 5, .vppMillivolts = 12700, .pulseBase = 1, .programOpcode = 140, .readBackCheck = 1},
    {.name = "27040   12.7v", .lastAddress = 0x7FFFF, .supplyPin = 36, .vppPin = 5, .vppMillivolts = 12700, .pulseBase = 1, .programOpcode = 143, .readBackCheck = 0},
    {.name = "27080   12.7v", .lastAddress = 0xFFFFF, .supplyPin = 36, .vppPin = 28, .vppMillivolts = 12700, .pulseBase = 1, .programOpcode = 141, .readBackCheck = 1},
    {.name = "ST27256   12.7v", .lastAddress = 0x7FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 12700, .pulseBase = -12, .programOpcode = 143, .readBackCheck = 1},
    {.name = "ST27512   12.7v", .lastAddress = 0xFFFF, .supplyPin = 34, .vppPin = 28, .vppMillivolts = 12700, .pulseBase = -12, .programOpcode = 141, .readBackCheck = 1},
}};

// The five output port bytes that put address a (already OR-ed with the row's
// high-address mask) on the socket for a row with the given supply pin.
std::array<std::uint8_t, 5> EncodeEpromAddress(std::uint32_t a, int supplyPin);

// Program pulse count for a row and the "Pro time" index: base x (index + 1),
// at most 255, its low byte sent.
std::uint8_t EpromPulseCount(const EpromRow& row, int proTimeIndex);

class TP27x : public MemoryDialog {
public:
    explicit TP27x(DeviceContext& ctx);

    void ReadClick() override;
    void BlankClick() override;
    void WriteClick() override;
    void VerifyClick() override;
    void CheckSumClick() override;

    // Sets the full address on the socket (encoding, then ports 0..4).
    void SetAddress(std::uint32_t a) { setAddress(a); }
    const EpromRow& row() const;

protected:
    std::uint32_t lastAddress() const override { return row().lastAddress; }
    void setAddress(std::uint32_t a) override;

private:
    std::uint8_t programOne(const EpromRow& r, std::uint8_t d);
};

} // namespace quarvin
