// The EPROM dialog as the generic form view renders it: its widgets, their
// captions and first states, and a click that runs the operation on the box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QDir>

#include "FormView.h"
#include "buffer/Documents.h"
#include "families/uv_eprom/UvEpromDialog.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/families/uv_eprom/EpromChip.h"
#include "support/FakePlatform.h"

using namespace quarvin;

namespace {

QString Caption(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    return "<no widget>";
}

TEST(GuiTP27x, ViewShowsThePatternFormAndReadRunsOnTheVirtualBox) {
    test::FakePlatform fake;
    MainBuffer buffer;
    Documents docs{buffer, fake.platform};
    auto box = std::make_shared<sim::Box>();
    auto chip = std::make_shared<sim::EpromChip>(*sim::FindEpromType("27C512"), 12700);
    chip->cells()[5] = 0x42;
    box->insert(chip);
    LinkState link;
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    link.connected = 1;
    SelectionState selection;
    selection.subType = 14;
    DeviceContext ctx{link, fake.platform, docs, selection, {}};
    UvEpromDialog dialog{ctx};
    app::FormView view(dialog, nullptr);

    const std::pair<const char*, const char*> captions[] = {
        {"Write", "Programe"}, {"ReadButton", "Read"}, {"Blank", "Blank"}, {"Verify", "Verify"},
        {"MFG", "Read MFG"}, {"CheckSum", "Sum"}, {"CancelBtn", "Exit"}, {"Button1", "Auto"},
        {"GroupBox1", "Auto Pro"}, {"CheckBox2", "Blank"}, {"CheckBox3", "Programe"}, {"CheckBox4", "Verify"},
        {"RadioGroup1", "Pro time"}, {"RadioGroup2", "Pro/Ver Mode"}, {"Label1", "Buffer Start"},
        {"Label2", "Device Start"}, {"Label3", "Length"}, {"Label4", "MFG"}, {"Edit1", "000000"},
        {"Edit2", "000000"}, {"Edit3", "000200"}, {"Message", " "},
    };
    for (const auto& [name, text] : captions) EXPECT_EQ(Caption(view.widgetFor(name)), text) << name;
    EXPECT_EQ(view.windowTitle(), "P27");
    auto checkedItem = [&](const char* group) {
        for (auto* r : view.widgetFor(group)->findChildren<QRadioButton*>())
            if (r->isChecked()) return r->text();
        return QString();
    };
    EXPECT_EQ(checkedItem("RadioGroup1"), "1 time");
    EXPECT_EQ(checkedItem("RadioGroup2"), "Check one by one");
    QStringList times;
    for (auto* r : view.widgetFor("RadioGroup1")->findChildren<QRadioButton*>()) times << r->text();
    EXPECT_EQ(times, QStringList({"1 time", "2 times", "3 times", "4 times", "5 times"}));
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(view.widgetFor("CheckBox3"))->isChecked());
    EXPECT_FALSE(qobject_cast<QAbstractButton*>(view.widgetFor("CheckBox4"))->isChecked());
    EXPECT_EQ(view.widgetFor("Button1")->parentWidget(), view.widgetFor("GroupBox1"));
    EXPECT_TRUE(qobject_cast<QLineEdit*>(view.widgetFor("Message"))->isReadOnly());

    dialog.Start();
    EXPECT_EQ(Caption(view.widgetFor("Edit3")), "ffff");
    qobject_cast<QAbstractButton*>(view.widgetFor("ReadButton"))->click();
    EXPECT_EQ(Caption(view.widgetFor("Message")), "OK!");
    EXPECT_EQ(buffer[5], 0x42);
    // A picture of the dialog after the read, for a person to look at.
    const std::filesystem::path shots = std::filesystem::path(QUARVIN_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    EXPECT_TRUE(view.grab().save(QString::fromStdString((shots / "tp27x.png").string())));
}

} // namespace
