#include "sim/families/gal/GalChip.h"

#include "sim/PinLabels.h"

namespace quarvin::sim {

namespace {

enum Address : int { Architecture = 60, Security = 61, BulkErase = 63 };

// Edit-mode pins of the 20-pin parts: edit voltage on 2, RAG1..RAG5 on 3..7,
// SCLK 8, SDIN 9, GND 10, STB 11, SDOUT 12, RAG0 18, P/V 19, Vcc 20.
constexpr EditModePins kPins20{20, 20, 10, 8, 9, 11, 12, 19};
constexpr std::array<int, 6> kAddress20{18, 3, 4, 5, 6, 7};
// The 24-pin parts: RAG1..RAG3 on 3..5, RAG4 8, RAG5 9, SCLK 10, SDIN 11,
// GND 12, STB 13, SDOUT 15, RAG0 21, P/V 22, Vcc 24.
constexpr EditModePins kPins24{24, 24, 12, 10, 11, 13, 15, 22};
constexpr std::array<int, 6> kAddress24{21, 3, 4, 5, 8, 9};

const std::vector<GalType> kTypes = {
    {"GAL16V8", 32, 16500, kPins20, kAddress20},  {"GAL16V8A", 32, 12500, kPins20, kAddress20},
    {"GAL16V8B", 32, 14000, kPins20, kAddress20}, {"GAL16V8D", 32, 14000, kPins20, kAddress20},
    {"ATF16V8B", 32, 12500, kPins20, kAddress20}, {"GAL20V8", 40, 16500, kPins24, kAddress24},
    {"GAL20V8A", 40, 16500, kPins24, kAddress24}, {"GAL20V8B", 40, 14000, kPins24, kAddress24},
    {"ATF20V8B", 40, 12000, kPins24, kAddress24},
};

// Architecture row bit -> offset from the array's end: XOR, AC0, AC1, the
// product term disable bits, AC1, SYN, XOR.
int ArchitectureOffset(int bit) {
    if (bit <= 3) return bit;                // XOR
    if (bit == 4) return 145;                // AC0
    if (bit <= 8) return 72 + (bit - 5);     // AC1, first four
    if (bit <= 72) return 80 + (bit - 9);    // product term disable
    if (bit <= 76) return 76 + (bit - 73);   // AC1, other four
    if (bit == 77) return 144;               // SYN
    return 4 + (bit - 78);                   // XOR, other four
}

constexpr int kSignatureOffset = 8;
constexpr std::size_t kFusesAfterArray = 146;

} // namespace

const std::vector<GalType>& GalTypes() { return kTypes; }

const GalType* FindGalType(const std::string& name) {
    for (const auto& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

GalChip::GalChip(const GalType& type)
    : EditModeChip(type.name, type.pins, static_cast<std::size_t>(type.columns) * kRowBits + kFusesAfterArray,
                   type.ratedVpp),
      type_(type) {}

std::size_t GalChip::architectureFuse(int bit) const { return base() + static_cast<std::size_t>(ArchitectureOffset(bit)); }

int GalChip::address(const ChipView& v) const {
    int a = 0;
    for (int k = 0; k < 6; ++k)
        if (v.high(type_.addressPins[static_cast<std::size_t>(k)])) a |= 1 << k;
    return a;
}

std::vector<std::size_t> GalChip::rowFuses(int a) const {
    std::vector<std::size_t> fuses;
    if (a >= 0 && a < type_.columns) {
        for (int k = 0; k < kRowBits; ++k) fuses.push_back(static_cast<std::size_t>(a + k * type_.columns));
    } else if (a == type_.columns) {
        for (int k = 0; k < kRowBits; ++k) fuses.push_back(base() + kSignatureOffset + static_cast<std::size_t>(k));
    } else if (a == Architecture) {
        for (int b = 0; b < kArchitectureBits; ++b) fuses.push_back(architectureFuse(b));
    }
    return fuses;
}

std::vector<std::uint8_t> GalChip::loadRow(const ChipView& v, const std::vector<std::uint8_t>&) {
    const int a = address(v);
    const std::vector<std::size_t> fuses = rowFuses(a);
    // Rows without cells shift out ones.
    std::vector<std::uint8_t> bits(fuses.empty() ? kArchitectureBits : fuses.size(), 1);
    // Security hides the array and the architecture, not the signature.
    if (secured() && a != type_.columns) return bits;
    for (std::size_t k = 0; k < fuses.size(); ++k) bits[k] = readCell(fuses[k]);
    return bits;
}

void GalChip::programRow(const ChipView& v, const std::vector<std::uint8_t>& shifted) {
    const int a = address(v);
    if (a == BulkErase) {
        erase();
        return;
    }
    if (a == Security) {
        if (!shifted.empty() && shifted[0] == 0) setSecured();
        return;
    }
    if (secured() && a != type_.columns) return;
    const std::vector<std::size_t> fuses = rowFuses(a);
    for (std::size_t k = 0; k < fuses.size() && k < shifted.size(); ++k)
        if (shifted[k] == 0) clearCell(fuses[k]);
}

void GalChip::nameRowPins(PinLabels& labels) const {
    labels.bus("RAG", PinRole::Address, {type_.addressPins.begin(), type_.addressPins.end()});
}

} // namespace quarvin::sim
