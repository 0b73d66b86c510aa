#pragma once
// Two-wire serial EEPROMs (24Cxx and the X24C01) at bus level: a slave that
// follows SDA and SCL edge by edge. Start and stop are recognised anywhere;
// the device-address byte carries the block bits or is compared with the
// chip-address pins; the part acknowledges by pulling SDA low on the ninth
// clock; writes collect in a page buffer that rolls over inside the page and
// are committed by a self-timed cycle that the stop starts, during which the
// part ignores the bus. Reads run on through the memory and wrap at its end.
// Pinout: 1 A0, 2 A1, 3 A2, 4 GND, 5 SDA, 6 SCL, 7 WP, 8 VCC.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"

namespace quarvin::sim {

enum class I2cDeviceAddress {
    None,        // X24C01: the first byte is the word address and the R/W bit
    ChipPins,    // 1010 A2 A1 A0 R/W; bits without a pin (blockBits) carry address bits 8..10
    TwoByteWord, // 1010 A2 A1 A0 R/W, then two word-address bytes
};

struct I2cEepromType {
    const char* name;
    std::uint32_t size;
    std::uint32_t pageSize;
    I2cDeviceAddress deviceAddress;
    int blockBits;          // device-address bits that carry address bits 8.. (from bit 1 up)
    std::uint8_t pinBits;   // which of bits 1..3 (A0, A1, A2) are compared with the pins
    std::int64_t writeCycleUs; // self-timed write cycle
};

const std::vector<I2cEepromType>& I2cEepromTypes();
const I2cEepromType* FindI2cEepromType(const std::string& name);

class I2cEepromChip : public Chip {
public:
    static constexpr int kA0 = 1, kA1 = 2, kA2 = 3, kGround = 4, kSda = 5, kScl = 6, kWriteProtect = 7, kVcc = 8;
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;

    explicit I2cEepromChip(const I2cEepromType& type);

    int pinCount() const override { return 8; }
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    void erase() override;

    const I2cEepromType& type() const { return type_; }
    // The self-timed write cycle of this sample (tests set a slower part).
    void setWriteCycleUs(std::int64_t us) { writeCycleUs_ = us; }
    bool busy(std::int64_t nowPs) const;
    // Write cycles the part has started.
    std::uint64_t writeCycles() const { return writeCycles_; }

private:
    enum class Mode { Idle, Receive, Transmit };
    enum class Expect { DeviceAddress, WordHigh, WordLow, Data };
    enum class Frame { Bits, AckPending, AckClock };

    void powerLost();
    void startCondition();
    void stopCondition(const ChipView& v);
    void risingClock(bool sda);
    void fallingClock(const ChipView& v);
    bool takeByte(std::uint8_t b, const ChipView& v);
    void loadTransmitByte();
    void finishWriteCycle();
    std::uint8_t readCell(std::uint32_t a) const;
    void latch(std::uint8_t b);

    const I2cEepromType& type_;
    std::vector<std::uint8_t> cells_;
    std::int64_t writeCycleUs_;

    bool powered_ = false;
    bool lastSda_ = true, lastScl_ = true;
    Mode mode_ = Mode::Idle;
    Expect expect_ = Expect::DeviceAddress;
    Frame frame_ = Frame::Bits;
    int bits_ = 0;
    std::uint8_t shift_ = 0;
    bool pullSdaLow_ = false;
    bool masterAcked_ = false;
    bool transmitNext_ = false;

    std::uint32_t pointer_ = 0;
    std::uint32_t wordHigh_ = 0;
    std::vector<std::pair<std::uint32_t, std::uint8_t>> pending_; // the page buffer
    bool cycleRunning_ = false;
    bool cycleNeverEnds_ = false;
    std::int64_t cycleEndsPs_ = 0;
    std::uint64_t writeCycles_ = 0;
    std::int64_t nowPs_ = 0;
};

} // namespace quarvin::sim
