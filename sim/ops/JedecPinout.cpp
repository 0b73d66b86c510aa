#include "sim/ops/JedecPinout.h"

#include "sim/PinLabels.h"

namespace quarvin::sim {

namespace {

constexpr int kAddress28[] = {10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 1};
constexpr int kAddress32[] = {12, 11, 10, 9, 8, 7, 6, 5, 27, 26, 23, 25, 4, 28, 29, 3, 2, 30, 1};

constexpr JedecPinout k28{28, 28, 14, 20, 22, 27, kAddress28, 15};
constexpr JedecPinout k32{32, 32, 16, 22, 24, 31, kAddress32, 19};

// DQ0..DQ2 sit just below the ground pin, DQ3..DQ7 just above it.
constexpr int DataPin(int ground, int bit) { return bit < 3 ? ground - 3 + bit : ground + 1 + (bit - 3); }

} // namespace

const JedecPinout& JedecPinoutOf(int pins) { return pins == 28 ? k28 : k32; }

std::uint32_t JedecPinout::addressOf(const ChipView& v, int bits) const {
    std::uint32_t a = 0;
    for (int b = 0; b < bits && b < addressLines; ++b)
        if (v.high(address[b])) a |= 1u << b;
    return a;
}

int JedecPinout::dataPin(int bit) const { return DataPin(ground, bit); }

quarvin::Pinout JedecPinout::labels(int lines) const {
    ByteWidePins p{pins, {}, {}, vcc, ground, chipEnable, outputEnable, writeEnable};
    for (int b = 0; b < lines && b < addressLines; ++b) p.address.push_back(address[b]);
    for (int b = 0; b < 8; ++b) p.data.push_back(dataPin(b));
    return ByteWidePinLabels(p);
}

std::uint8_t JedecPinout::dataOf(const ChipView& v) const {
    std::uint8_t d = 0;
    for (int b = 0; b < 8; ++b)
        if (v.high(DataPin(ground, b))) d = static_cast<std::uint8_t>(d | (1u << b));
    return d;
}

void JedecPinout::driveData(ChipDrive& out, std::uint8_t value) const {
    for (int b = 0; b < 8; ++b) out.drive(DataPin(ground, b), (value >> b) & 1);
}

} // namespace quarvin::sim
