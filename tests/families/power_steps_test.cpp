// The logic devices' start pinned against a stream written out from the link
// operations: ground, the 5 V level and the row's Vpp level after the reset,
// from the dialog and from the command line alike. (The 24Cxx reads' power-off
// at their end is pinned by their golden wire files.)
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "families/gal/GalDialog.h"
#include "families/p22v10/P22v10Dialog.h"

namespace quarvin::test {
namespace {

struct StartCase {
    const char* dialogClass;
    int subType;
    int vppMillivolts; // the row's
};

const StartCase kStarts[] = {
    {GalDialog::kFormClass, 1, 16500},
    {GalDialog::kFormClass, 6, 14000},
    {P22v10Dialog::kFormClass, 1, 12000},
};

TEST(PowerSteps, LogicDeviceStartsSetGroundSupplyLevelAndRowVppAfterTheReset) {
    for (const StartCase& c : kStarts) {
        SCOPED_TRACE(std::string(c.dialogClass) + " row " + std::to_string(c.subType));
        LinkState link;
        auto log = std::make_shared<TransportLog>();
        link.port = std::make_unique<RecordingTransport>(log);
        link.connected = 1;
        Expect e(link);
        ResetSocket(e.link);
        ConnectGround(e.link, 20);
        SetVccLevel(e.link, 5);
        SetVppLevel(e.link, c.vppMillivolts);

        Families().at(c.dialogClass).makeSession()->start(link, c.subType);
        EXPECT_EQ(log->written, e.bytes()) << "command line";

        FakePlatform fp;
        LinkState dialogLink;
        auto dialogLog = std::make_shared<TransportLog>();
        dialogLink.port = std::make_unique<RecordingTransport>(dialogLog);
        dialogLink.connected = 1;
        FakeDocs docs;
        SelectionState selection;
        selection.subType = c.subType;
        DeviceContext ctx{dialogLink, fp.platform, docs, selection, [] { return std::string(); }};
        Families().at(c.dialogClass).makeDialog(ctx)->Start();
        EXPECT_EQ(dialogLog->written, e.bytes()) << "dialog";
    }
}

} // namespace
} // namespace quarvin::test
