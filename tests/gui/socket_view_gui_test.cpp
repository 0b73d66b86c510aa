// The placement picture in the windows: beside a family dialog's controls and in
// the Virtual socket window, following the selected device, with hover texts and
// an enlarged copy; and the SVG of every row read back as well-formed XML.
#include <QTest>
#include <QXmlStreamReader>

#include "FormView.h"
#include "SocketView.h"
#include "families/FamilyRig.h"
#include "families/logic_ic/IcTestDialog.h"
#include "families/placement/DevicePicture.h"
#include "families/placement/SocketSvg.h"
#include "families/uv_eprom/UvEpromDialog.h"
#include "guitest.h"
#include "sim/PartPinouts.h"
#include "sim/VirtualSocket.h"

using namespace quarvin;

namespace {

// The view's placement picture; a view without one ends the test.
app::SocketView* SocketViewOf(app::FormView& view) {
    auto* socket = view.findChild<app::SocketView*>("SocketView");
    if (!socket) throw std::runtime_error("the view shows no placement picture");
    return socket;
}

TEST(GuiSocketView, FamilyDialogShowsThePictureAndFollowsTheDevice) {
    test::WireRig<UvEpromDialog> rig(13, false);
    rig.selection.typeName = "27C256";
    rig.selection.description = "Intel: 27C256";
    app::FormView view(rig.dlg, nullptr);
    app::SocketView* socket = SocketViewOf(view);
    // Inside the dialog and apart from its controls: GuiLayout checks that on every family dialog.
    EXPECT_GE(socket->width(), 120);
    EXPECT_GE(socket->height(), 240);

    ASSERT_TRUE(socket->picture().known());
    EXPECT_EQ(socket->picture().device, "Intel: 27C256");
    EXPECT_EQ(socket->pinAt(socket->pinCentre(7)), 7);
    EXPECT_EQ(socket->pinAt(socket->pinCentre(34)), 34);
    EXPECT_EQ(PinDescription(socket->picture(), 7), "socket pin 7: pin 1 VPP (Vpp)");
    EXPECT_EQ(PinDescription(socket->picture(), 1), "socket pin 1 (unused)");

    // Another row of the family: the start operation shows its part.
    rig.selection.subType = 1;
    rig.selection.typeName = "2716";
    rig.dlg.Start();
    QApplication::processEvents();
    EXPECT_EQ(socket->picture().placement.packagePins, 24);
    EXPECT_EQ(socket->picture().placement.firstSocketPin, 9);

    QTest::mouseDClick(socket, Qt::LeftButton, {}, socket->pinCentre(1).toPoint());
    QApplication::processEvents();
    auto* enlarged = view.findChild<app::SocketView*>("SocketViewEnlarged");
    ASSERT_NE(enlarged, nullptr);
    EXPECT_GT(enlarged->height(), socket->height());
    EXPECT_EQ(enlarged->picture().placement.packagePins, 24);
    enlarged->window()->close();
}

TEST(GuiSocketView, VirtualSocketWindowShowsTheSelectedPartAndTheRefereesFindings) {
    test::FakePlatform fp;
    auto box = std::make_shared<sim::Box>();
    sim::VirtualSocket form(box, fp.platform);
    form.deviceSelected("TP2051x", 2, "AT89C2051");
    app::FormView view(form, nullptr);
    app::SocketView* socket = SocketViewOf(view);
    ASSERT_TRUE(socket->picture().known());
    EXPECT_EQ(socket->picture().placement.packagePins, 20);

    // Vpp on RST/VPP without Vcc: the referee's event marks socket pin 11.
    sim::ChipView unpowered;
    unpowered.vpp = unpowered.driven = sim::pinBit(1);
    unpowered.vppMillivolts = 12000;
    box->socket().referee().observe(unpowered, 0);
    form.refreshIfChanged();
    const SocketPicture& marked = socket->picture();
    EXPECT_TRUE(marked.hasFinding(11));
    EXPECT_FALSE(marked.hasFinding(30));
    const std::string said = PinDescription(marked, 11); // the pin's hover text
    EXPECT_EQ(said.rfind("socket pin 11: pin 1 RST/VPP (Vpp)\n", 0), 0u) << said;
    EXPECT_NE(said.find("Vpp without Vcc"), std::string::npos) << said;

    // A device without a part model: the window says so.
    form.deviceSelected("TICTestx", 1);
    EXPECT_FALSE(socket->picture().known());
}

// The tester's rows are classes of parts: its picture follows the type chosen in
// its list (a 14-pin 7400, a 16-pin 4017).
TEST(GuiSocketView, LogicIcTesterShowsTheChosenType) {
    test::DialogRig<IcTestDialog> rig(1);
    IcTestDialog tester(rig.ctx, QUARVIN_BINARY_DIR "/data");
    app::FormView view(tester, nullptr);
    app::SocketView* socket = SocketViewOf(view);
    // The class's item in the radio group, the type, its pins, pin 1's and Vcc's socket pin.
    struct Case { int classItem; const char* type; int pins, pinOne, vcc; } cases[] = {
        {0, "74xx00", 14, 14, 27}, {1, "4017", 16, 13, 28}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        tester.control("RadioGroup1").setItemIndex(c.classItem);
        tester.Gr1OnClick();
        const auto& names = tester.tester().typeNames();
        const auto at = std::find(names.begin(), names.end(), c.type);
        ASSERT_NE(at, names.end());
        tester.control("ListBox1").setItemIndex(static_cast<int>(at - names.begin()));
        tester.LBox1OnClick();
        const SocketPicture& p = socket->picture();
        ASSERT_TRUE(p.known());
        EXPECT_EQ(p.device, c.type);
        EXPECT_EQ(p.placement.packagePins, c.pins);
        EXPECT_EQ(p.placement.firstSocketPin, c.pinOne);
        EXPECT_EQ(p.at(c.vcc).role, PinRole::Vcc);
        EXPECT_EQ(p.at(20).role, PinRole::Ground);
    }
}

TEST(GuiSocketView, SvgOfEveryRowIsWellFormed) {
    int pictures = 0;
    for (const auto& [dialog, entry] : Families()) {
        const auto rows = entry.subTypes();
        for (int sub = 0; sub < static_cast<int>(rows.size()); ++sub) {
            const SocketPicture picture = DevicePicture(rows[static_cast<std::size_t>(sub)].name, dialog, sub, "",
                                                        sim::PartPinoutOf);
            QXmlStreamReader xml(QByteArray::fromStdString(SocketSvg(picture)));
            int circles = 0;
            while (!xml.atEnd())
                if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("circle")) ++circles;
            EXPECT_FALSE(xml.hasError()) << dialog << " " << sub << ": " << xml.errorString().toStdString();
            // 40 socket pins and the key's swatches, and pin 1's mark on a known part.
            EXPECT_GE(circles, kSocketPins) << dialog << " " << sub;
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 100);
}

} // namespace
