// Register files: words of latches written at one address and read at another,
// at the same time. The words live in LogicState::regs, word 0 first.
#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

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

} // namespace

void registerFile4x4(LogicPins& pins, LogicState& state) {
    using namespace file670;
    if (!pins.in(kWriteEnable)) state.regs[readBus(pins, kWriteAddress)] = readBus(pins, kD);
    driveBus3State(pins, kQ, state.regs[readBus(pins, kReadAddress)], !pins.in(kReadEnable));
}

} // namespace quarvin::sim::ttl74
