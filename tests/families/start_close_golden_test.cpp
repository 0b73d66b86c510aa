// Golden wire files of every family dialog's start and close: what a dialog sends
// when the selection opens it and when the user closes it, pinned byte for byte
// (tests/families/golden/start_close_<dialog class>.wire), so that a step left
// out of a start cannot pass unnoticed. The part of the family's first row with
// a model sits in the socket; the file's first line names it.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "GoldenFiles.h"
#include "families/framework/FamilyDialog.h"

namespace quarvin::test {
namespace {

TEST(StartCloseGolden, EveryFamilyDialogStartsAndClosesWithItsRecordedBytes) {
    int families = 0;
    for (const auto& [dialogClass, family] : Families()) {
        const sim::ChipOffer* offer = nullptr;
        for (const sim::ChipOffer& o : sim::ChipOffers())
            if (o.family == dialogClass) {
                offer = &o;
                break;
            }
        if (!offer) continue;
        SCOPED_TRACE(dialogClass);
        FakePlatform fp;
        LinkState link;
        FakeDocs docs;
        SelectionState selection;
        selection.subType = offer->subType;
        selection.description = "ANY: " + offer->label;
        link.prompts = &fp.prompts;
        DeviceContext ctx{link, fp.platform, docs, selection, [] { return std::string("20,3d"); }};
        auto dialog = family.makeDialog(ctx);

        auto box = std::make_shared<sim::Box>();
        box->insert(offer->make());
        auto tap = std::make_shared<std::vector<std::uint8_t>>();
        link.port = std::make_unique<TappedVirtualBox>(box, tap);
        link.connected = 1;
        dialog->Start();
        dialog->close();
        EXPECT_TRUE(MatchesGolden("start_close_" + dialogClass, offer->label, *tap));
        ++families;
    }
    EXPECT_GE(families, 17);
}

} // namespace
} // namespace quarvin::test
