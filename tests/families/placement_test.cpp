// Where every device row's part sits in the socket and where its family switches
// the supplies, against the chip model the virtual box puts there for the row:
// the picture, the socket and the models must tell the same story.
#include <gtest/gtest.h>

#include "families/framework/FamilyDialog.h"
#include "families/logic_ic/IcTestDialog.h"
#include "families/placement/DevicePicture.h"
#include "families/placement/SocketText.h"
#include "sim/ChipRatings.h"
#include "sim/PartPinouts.h"
#include "sim/SimFamily.h"

namespace quarvin {
namespace {

using sim::PinMask;

// The chip pins of socket pins, each of which must be a pin of the part.
PinMask ChipPinsOf(const SocketPlacement& p, const std::vector<int>& socketPins) {
    PinMask mask = 0;
    for (int s : socketPins) {
        const int k = p.packagePinAt(s);
        EXPECT_NE(k, 0) << "socket pin " << s << " is outside the part";
        if (k) mask |= sim::pinBit(k);
    }
    return mask;
}

PinMask PinsWithRole(const Pinout& pins, PinRole role) {
    PinMask mask = 0;
    for (std::size_t k = 0; k < pins.size(); ++k)
        if (pins[k].role == role) mask |= sim::pinBit(static_cast<int>(k + 1));
    return mask;
}

TEST(Placement, EveryRowWithAPartAgreesWithItsModel) {
    int familiesChecked = 0;
    for (const auto& [dialog, entry] : Families()) {
        // The logic IC tester's rows are classes of parts of several packages.
        if (dialog == IcTestDialog::kFormClass) continue;
        const auto rows = entry.subTypes();
        int rowsChecked = 0;
        for (int sub = entry.firstSubType; sub < static_cast<int>(rows.size()); ++sub) {
            const SubTypeSummary& row = rows[static_cast<std::size_t>(sub)];
            const sim::ChipOffer* offer = sim::OfferForSubType(dialog, sub);
            if (!offer) continue;
            SCOPED_TRACE(dialog + " row " + std::to_string(sub) + " (" + row.name + "), part " + offer->label);
            const auto chip = offer->make();
            const SocketPlacement& p = row.placement;
            ASSERT_TRUE(p.known());
            const int n = chip->pinCount();
            EXPECT_EQ(p.packagePins, n);
            // The socket seats a part as sim::socketPinOf says; pin 1 and pin n must be there.
            EXPECT_EQ(p.socketPinOf(1), sim::socketPinOf(n, 1));
            EXPECT_EQ(p.socketPinOf(n), sim::socketPinOf(n, n));

            const sim::ChipRatings r = chip->ratings();
            ASSERT_TRUE(r.declared());
            const PinMask vcc = ChipPinsOf(p, p.vcc), ground = ChipPinsOf(p, p.ground), vpp = ChipPinsOf(p, p.vpp);
            EXPECT_EQ(vcc & ~r.supply, 0u) << "Vcc goes to a pin that is not the part's supply";
            EXPECT_EQ(ground & ~r.ground, 0u) << "ground goes to a pin that is not the part's ground";
            // The high voltage goes to a Vpp pin, or to one rated for it beside A9
            // (RESET# of the boot-block 29F parts).
            EXPECT_EQ(vpp & ~(r.vpp | r.id), 0u) << "Vpp goes to a pin not rated for it";
            EXPECT_EQ(vcc != 0, r.supply != 0) << "the part's supply and the family's Vcc switch disagree";
            EXPECT_EQ(ground != 0, r.ground != 0);

            // The model's pin names agree with its own ratings.
            const Pinout labels = chip->pinLabels();
            ASSERT_EQ(static_cast<int>(labels.size()), n) << "the model names no pins";
            EXPECT_EQ(PinsWithRole(labels, PinRole::Vcc), r.supply);
            EXPECT_EQ(PinsWithRole(labels, PinRole::Ground), r.ground);
            EXPECT_EQ(PinsWithRole(labels, PinRole::Vpp) & ~r.vpp, 0u);
            ++rowsChecked;
        }
        if (rowsChecked) ++familiesChecked;
    }
    // Every built family but the logic IC tester, whose rows are classes of parts.
    EXPECT_EQ(familiesChecked, static_cast<int>(Families().size()) - 1);
}

TEST(Placement, BottomAlignedPartsRoundTrip) {
    struct Case {
        int pins, pinOne, lastPin;
    } cases[] = {{8, 17, 24}, {20, 11, 30}, {24, 9, 32}, {28, 7, 34}, {32, 5, 36}, {40, 1, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pins);
        const SocketPlacement p = BottomAligned(c.pins, {c.lastPin}, {20});
        EXPECT_EQ(p.socketPinOf(1), c.pinOne);
        EXPECT_EQ(p.socketPinOf(c.pins / 2), 20);
        EXPECT_EQ(p.socketPinOf(c.pins / 2 + 1), 21);
        EXPECT_EQ(p.socketPinOf(c.pins), c.lastPin);
        for (int k = 1; k <= c.pins; ++k) EXPECT_EQ(p.packagePinAt(p.socketPinOf(k)), k);
        EXPECT_EQ(p.packagePinAt(c.pinOne - 1), 0);
    }
    EXPECT_FALSE(BottomAlignedBySupply(0).known());  // the placeholder rows
    EXPECT_FALSE(BottomAligned(41, {}, {}).known());
}

TEST(Placement, RowsWithoutDataSayPlacementNotKnown) {
    struct Case {
        std::string dialog;
        int subType;
    } cases[] = {{IcTestDialog::kFormClass, 1}, {"TP27x", 0}, {"TP27x", 999}, {"TNoSuchFamily", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog + " " + std::to_string(c.subType));
        const SocketPicture picture = DevicePicture("X", c.dialog, c.subType, "", sim::PartPinoutOf);
        EXPECT_FALSE(picture.known());
        EXPECT_EQ(SocketText(picture), "X\nplacement not known\n");
    }
}

// A pin that doubles as Vpp shows what the family puts on it, and a model
// without names still shows where its part sits.
TEST(Placement, PictureTakesSuppliesFromTheRowAndNamesFromThePinout) {
    const SocketPlacement p = BottomAlignedBySupply(34, {28});
    Pinout pins(28, PinLabel{"X", PinRole::Address});
    pins[21] = {"/OE/VPP", PinRole::Control};
    const SocketPicture named = MakeSocketPicture("27C512", "27C512", p, pins);
    EXPECT_EQ(named.at(28).role, PinRole::Vpp);
    EXPECT_EQ(named.at(28).name, "/OE/VPP");
    EXPECT_EQ(named.at(34).role, PinRole::Vcc);
    EXPECT_EQ(named.at(20).role, PinRole::Ground);
    EXPECT_EQ(named.at(6).role, PinRole::Unused);

    const SocketPicture unnamed = MakeSocketPicture("27C512", "", p, Pinout(24));
    EXPECT_EQ(unnamed.at(7).role, PinRole::Unknown);
    EXPECT_EQ(unnamed.at(7).packagePin, 1);
    EXPECT_EQ(unnamed.at(34).role, PinRole::Vcc);
}

} // namespace
} // namespace quarvin
