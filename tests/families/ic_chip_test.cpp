// The logic chip shell around a part's evaluation, seen through its pins: supply
// on its own pins, push-pull, open-collector and 3-state outputs, what the part
// sees of a pin it drives while the box drives it too, edges, stuck pins, a dead
// part and the power-up state.
#include <gtest/gtest.h>

#include "IcTestParts.h"
#include "sim/ChipFaultText.h"
#include "sim/families/logic_ic/LogicChip.h"

namespace quarvin::test {
namespace {

using namespace icparts;
using sim::pinBit;
using sim::PinMask;

constexpr PinMask k14PinsReleased = (PinMask{1} << 14) - 1;

// Box side of a 14-pin part with Vcc on pin 14 and ground on pin 7: every pin
// released (high) except those driven low.
sim::ChipView Powered14(PinMask drivenLow = 0, int vccPin = 14, int groundPin = 7) {
    sim::ChipView v;
    v.vcc = vccPin ? pinBit(vccPin) : 0;
    v.ground = groundPin ? pinBit(groundPin) : 0;
    v.vccMillivolts = 5000;
    v.driven = drivenLow | v.vcc | v.ground;
    v.level = (k14PinsReleased & ~drivenLow & ~v.ground) | v.vcc;
    return v;
}

// Pin 1 enables the 3-state pin 2 (low: drives it high); pin 3 shows the level
// the part sees on pin 2.
void Echo(sim::LogicPins& p, sim::LogicState&) {
    if (p.in(1)) p.release(2); else p.out(2, true);
    p.out(3, p.in(2));
}
const sim::LogicPart kEcho{"TECHO", 1, sim::LogicClass::Ttl74, "ITONNNGNNNNNNV", Echo};

TEST(LogicChip, SupplyOnItsOwnPinsAndTheThreeOutputKinds) {
    sim::LogicChip nand(kNand);
    // Inputs released read high: every NAND output low, only the outputs driven.
    sim::ChipDrive d = nand.update(Powered14());
    EXPECT_EQ(d.enable, pinBit(3) | pinBit(6) | pinBit(8) | pinBit(11));
    EXPECT_EQ(d.level, 0u);
    d = nand.update(Powered14(pinBit(1)));
    EXPECT_EQ(d.level, pinBit(3));
    // Without Vcc, without ground, or with Vcc on another pin: nothing driven.
    for (const sim::ChipView& off : {Powered14(0, 0, 7), Powered14(0, 14, 0), Powered14(0, 13, 7)}) {
        EXPECT_EQ(nand.update(off).enable, 0u);
        EXPECT_FALSE(nand.powered());
    }

    sim::LogicChip oc(kNandOc);
    d = oc.update(Powered14(pinBit(1) | pinBit(4)));
    EXPECT_EQ(d.enable, pinBit(8) | pinBit(11)) << "an open collector does not drive high";
    EXPECT_EQ(d.level, 0u);

    sim::LogicChip buffer(kBuffer);
    d = buffer.update(Powered14(pinBit(1) | pinBit(2) | pinBit(4))); // 1: enabled, A low; 2: enabled, A high
    EXPECT_EQ(d.enable, pinBit(3) | pinBit(6));
    EXPECT_EQ(d.level, pinBit(6));
    d = buffer.update(Powered14());
    EXPECT_EQ(d.enable, 0u) << "disabled 3-state outputs let go";
}

TEST(LogicChip, APinItDrivesLooksToThePartAsItDrivesItWhateverTheBoxDoes) {
    sim::LogicChip echo(kEcho);
    // Enabled: the part drives pin 2 high; the box pulls it low as well, yet the
    // part's own logic behind the pin still sees its own level.
    echo.update(Powered14(pinBit(1)));
    sim::ChipDrive d = echo.update(Powered14(pinBit(1) | pinBit(2)));
    EXPECT_EQ(d.level & pinBit(3), pinBit(3));
    // Released: pin 2 is an input again and reads what the box puts there.
    d = echo.update(Powered14(pinBit(2)));
    EXPECT_EQ(d.level & pinBit(3), 0u);
    d = echo.update(Powered14());
    EXPECT_EQ(d.level & pinBit(3), pinBit(3));
}

TEST(LogicChip, EdgesCountOnceAndFaultsHoldPinsOrSilenceThePart) {
    sim::LogicChip dff(kFlipFlop);
    dff.update(Powered14(pinBit(8)));              // clock low, D high
    sim::ChipDrive d = dff.update(Powered14(0));   // rising clock: Q := 1
    EXPECT_EQ(d.level & pinBit(2), pinBit(2));
    d = dff.update(Powered14(pinBit(1)));          // D low, clock still high: no edge
    EXPECT_EQ(d.level & pinBit(2), pinBit(2));
    dff.update(Powered14(pinBit(1) | pinBit(8)));
    d = dff.update(Powered14(pinBit(1)));          // edge with D low
    EXPECT_EQ(d.level & pinBit(2), 0u);

    sim::LogicChip stuck(kNand);
    ASSERT_EQ(sim::AddChipFault(stuck.faults(), "pin:3:1"), "");
    d = stuck.update(Powered14());
    EXPECT_EQ(d.level & pinBit(3), pinBit(3));
    EXPECT_EQ(d.level & pinBit(6), 0u);

    sim::LogicChip dead(kNand);
    ASSERT_EQ(sim::AddChipFault(dead.faults(), "dead"), "");
    EXPECT_EQ(dead.update(Powered14()).enable, 0u);
}

TEST(LogicChip, PowerUpStateIsRandomButRepeatable) {
    sim::LogicChip a(kCounter, 7), b(kCounter, 7), c(kCounter, 8);
    sim::ChipView on;
    on.vcc = pinBit(16);
    on.ground = pinBit(8);
    on.vccMillivolts = 5000;
    on.level = ((PinMask{1} << 16) - 1) & ~pinBit(8);
    a.update(on);
    b.update(on);
    c.update(on);
    EXPECT_EQ(a.state().bits, b.state().bits);
    EXPECT_EQ(a.state().regs, b.state().regs);
    EXPECT_NE(a.state().bits, c.state().bits);
    const auto first = a.state().bits;
    a.update(sim::ChipView{});
    a.update(on);
    EXPECT_NE(a.state().bits, first) << "each power-up comes up anew";
}

} // namespace
} // namespace quarvin::test
