// Register files and small RAMs: words of latches written and read by address.
// The '670's words live in LogicState::regs, word 0 first; the '189's 16 words
// of 4 bits in LogicState::bits, word 0 in the lowest 4 bits.
#include <cstdint>

#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

// Four open-collector outputs letting go: they read high.
constexpr unsigned kAllReleased = 0xF;

// '670: four words of four bits. While write enable GW is low the addressed
// word's latches follow D1..D4; while read enable GR is low the outputs show
// the word at the read address, else they are off.
namespace file670 {
constexpr int kReadEnable = 11, kWriteEnable = 12;
constexpr Bus<2> kWriteAddress = {14, 13}; // WA, WB
constexpr Bus<2> kReadAddress = {5, 4};    // RA, RB
constexpr Bus<4> kD = {15, 1, 2, 3};
constexpr Bus<4> kQ = {10, 9, 7, 6};
} // namespace file670

// '189: 16 words of 4 bits. Chip select and write enable low write D into the
// addressed word with the outputs off; chip select low alone reads it, the
// outputs giving the stored bits inverted.
namespace ram189 {
constexpr int kChipSelect = 2, kWriteEnable = 3;
constexpr Bus<4> kAddress = {1, 15, 14, 13};
constexpr Bus<4> kD = {4, 6, 10, 12};
constexpr Bus<4> kOutputs = {5, 7, 9, 11};
constexpr unsigned kWordBits = 4;
constexpr std::uint64_t kWordMask = 0xF;
} // namespace ram189

} // namespace

void registerFile4x4(LogicPins& pins, LogicState& state) {
    using namespace file670;
    if (!pins.in(kWriteEnable)) state.regs[readBus(pins, kWriteAddress)] = readBus(pins, kD);
    driveBus3State(pins, kQ, state.regs[readBus(pins, kReadAddress)], !pins.in(kReadEnable));
}

// '170: the '670's words with open-collector outputs, which let go (read high)
// while read enable is high.
void registerFile4x4OpenCollector(LogicPins& pins, LogicState& state) {
    using namespace file670;
    if (!pins.in(kWriteEnable)) state.regs[readBus(pins, kWriteAddress)] = readBus(pins, kD);
    driveBus(pins, kQ, pins.in(kReadEnable) ? kAllReleased : state.regs[readBus(pins, kReadAddress)]);
}

// '89: the '189's pins and memory with open-collector outputs. While WE is low
// the outputs show the complement of the data inputs (the input gate drives
// the sense amplifier), whether or not ME selects the part; ME low alone reads
// the complement of the addressed word; ME and WE high let the outputs go.
void ram16x4OpenCollector(LogicPins& pins, LogicState& state) {
    using namespace ram189;
    const unsigned shift = readBus(pins, kAddress) * kWordBits;
    const bool selected = !pins.in(kChipSelect), writing = !pins.in(kWriteEnable);
    const unsigned data = readBus(pins, kD);
    if (selected && writing)
        state.bits = (state.bits & ~(kWordMask << shift)) | (std::uint64_t{data} << shift);
    const auto word = static_cast<unsigned>((state.bits >> shift) & kWordMask);
    unsigned levels = kAllReleased;
    if (writing) levels = ~data;
    else if (selected) levels = ~word;
    driveBus(pins, kOutputs, levels);
}

void ram16x4(LogicPins& pins, LogicState& state) {
    using namespace ram189;
    const unsigned shift = readBus(pins, kAddress) * kWordBits;
    const bool selected = !pins.in(kChipSelect), writing = !pins.in(kWriteEnable);
    if (selected && writing)
        state.bits = (state.bits & ~(kWordMask << shift)) | (std::uint64_t{readBus(pins, kD)} << shift);
    const auto word = static_cast<unsigned>((state.bits >> shift) & kWordMask);
    driveBus3State(pins, kOutputs, ~word, selected && !writing);
}

} // namespace quarvin::sim::ttl74
