#include "sim/families/p22v10/P22v10Chip.h"

#include "sim/PinLabels.h"

namespace quarvin::sim {

namespace {

enum Address : int { Signature = 44, Security = 61, BulkErase = 63 };

// Edit voltage on 2, P/V 3, SCLK 10, SDIN 11, GND 12, STB 13, SDOUT 14, Vcc 24.
constexpr EditModePins kPins{24, 24, 12, 10, 11, 13, 14, 3};
constexpr int kArchitecturePin = 8;
constexpr int kErasePin = 4;
constexpr int kAddressBits = 6;
constexpr std::size_t kNoCell = static_cast<std::size_t>(-1);
// Bit b of the signature row is JEDEC fuse 5816 + b; bits 12..75 have cells.
constexpr std::size_t kSignatureRowBase = P22v10Chip::kArrayFuses + 8;
constexpr std::size_t kFirstSignatureFuse = P22v10Chip::kArrayFuses + P22v10Chip::kArchitectureBits;

const std::vector<P22v10Type> kTypes = {{"GAL22V10", 12000}, {"GAL22V10B", 12000}, {"GAL22V10D", 12000}};

} // namespace

const std::vector<P22v10Type>& P22v10Types() { return kTypes; }

const P22v10Type* FindP22v10Type(const std::string& name) {
    for (const auto& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

P22v10Chip::P22v10Chip(const P22v10Type& type) : EditModeChip(type.name, kPins, kFuses, type.ratedVpp) {}

int P22v10Chip::address(const std::vector<std::uint8_t>& shifted) {
    if (shifted.size() < kAddressBits) return -1;
    int a = 0;
    const std::size_t first = shifted.size() - kAddressBits;
    for (int k = 0; k < kAddressBits; ++k)
        if (shifted[first + static_cast<std::size_t>(k)]) a |= 1 << k;
    return a;
}

bool P22v10Chip::architectureSelected(const ChipView& v) { return v.high(kArchitecturePin) && !v.high(kErasePin); }

std::vector<std::size_t> P22v10Chip::rowFuses(int a) {
    std::vector<std::size_t> fuses;
    if (a >= 0 && a < kColumns) {
        for (int b = 0; b < kRowBits; ++b) fuses.push_back(static_cast<std::size_t>(b * kColumns + a));
    } else if (a == Signature) {
        for (int b = 0; b < kRowBits; ++b) {
            const std::size_t fuse = kSignatureRowBase + static_cast<std::size_t>(b);
            fuses.push_back(fuse >= kFirstSignatureFuse && fuse < kFuses ? fuse : kNoCell);
        }
    }
    return fuses;
}

std::vector<std::uint8_t> P22v10Chip::loadRow(const ChipView& v, const std::vector<std::uint8_t>& shifted) {
    if (architectureSelected(v)) {
        std::vector<std::uint8_t> bits(kArchitectureBits, 1);
        if (!secured())
            for (int b = 0; b < kArchitectureBits; ++b) bits[static_cast<std::size_t>(b)] = readCell(kArrayFuses + static_cast<std::size_t>(b));
        return bits;
    }
    const int a = address(shifted);
    const std::vector<std::size_t> fuses = rowFuses(a);
    // Rows without cells shift out ones.
    std::vector<std::uint8_t> bits(kRowBits, 1);
    if (secured() && a != Signature) return bits;
    for (std::size_t b = 0; b < fuses.size(); ++b)
        if (fuses[b] != kNoCell) bits[b] = readCell(fuses[b]);
    return bits;
}

void P22v10Chip::programRow(const ChipView& v, const std::vector<std::uint8_t>& shifted) {
    const std::size_t n = shifted.size();
    if (architectureSelected(v)) {
        if (secured() || n < static_cast<std::size_t>(kArchitectureBits)) return;
        for (int b = 0; b < kArchitectureBits; ++b)
            if (shifted[n - kArchitectureBits + static_cast<std::size_t>(b)] == 0) clearCell(kArrayFuses + static_cast<std::size_t>(b));
        return;
    }
    const int a = address(shifted);
    if (a == BulkErase) {
        erase();
        return;
    }
    // The row's bits stand before the address, the last shifted of them its last bit.
    const std::size_t dataEnd = n >= kAddressBits ? n - kAddressBits : 0;
    if (a == Security) {
        if (dataEnd >= 1 && shifted[dataEnd - 1] == 0) setSecured();
        return;
    }
    if (secured() && a != Signature) return;
    const std::vector<std::size_t> fuses = rowFuses(a);
    if (fuses.empty() || dataEnd < fuses.size()) return;
    const std::size_t first = dataEnd - fuses.size();
    for (std::size_t b = 0; b < fuses.size(); ++b)
        if (fuses[b] != kNoCell && shifted[first + b] == 0) clearCell(fuses[b]);
}

// The row address comes in on SDIN; pin 8 selects the architecture row and pin 4
// the erase.
void P22v10Chip::nameRowPins(PinLabels& labels) const {
    labels.pin(kArchitecturePin, "ARCH", PinRole::Control).pin(kErasePin, "ERASE", PinRole::Control);
}

} // namespace quarvin::sim
