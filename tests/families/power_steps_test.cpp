// Two power steps pinned against streams written out from the families' link
// operations: the logic devices' start sets ground, the 5 V level and the row's
// Vpp level after the reset (from the dialog and from the command line alike),
// and the 24Cxx Read switches its supply pin off before it reports.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "families/gal/GalDialog.h"
#include "families/i2c_eeprom/I2cDialog.h"
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

TEST(PowerSteps, I2cReadEndsWithItsSupplyPinLow) {
    for (int row : {1, 6, 11}) {
        SCOPED_TRACE(row);
        WireRig<I2cDialog> rig(row);
        rig.dlg.click("ReadButton");
        EXPECT_EQ(rig.dlg.control("Msg").text(), "Finished");
        Expect e(rig.link);
        ConnectVcc(e.link, 0);
        PinLow(e.link, 24);
        e.confirmed();
        EXPECT_TRUE(e.endOf(rig.log->written));
    }
}

} // namespace
} // namespace quarvin::test
