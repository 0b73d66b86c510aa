// The 8051 flash and AT90S dialogs as the generic view shows them: captions, radio
// items, check boxes in their group, initial states, and the view following the
// start operation (an OTP row disables Erase and its run item).
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "FormView.h"
#include "families/FamilyRig.h"
#include "families/avr90s/Avr90sDialog.h"
#include "families/mcu2051/P2051Dialog.h"
#include "families/mcu89c5x/P89c5xDialog.h"
#include "guitest.h"

using namespace quarvin;

namespace {

struct Shown {
    const char* name;
    const char* caption;
    bool checked; // check boxes only
};

struct Radio {
    const char* name;
    const char* title;
    const char* items; // joined with '|'
    const char* chosen;
};

struct Expected {
    const char* windowTitle;
    std::vector<Shown> buttons;    // push buttons
    std::vector<Shown> checkBoxes; // inside GroupBox1
    const char* groupTitle;
    std::vector<Radio> radios;
    const char* started; // Msg after a start on a connected link
    const char* runGroup = "GroupBox1"; // the group holding the run chain's boxes
};

const Expected k89c5x{
    "AT89,AT87...",
    {{"Erase", "Erase", false}, {"Blank", "Blank", false}, {"Write", "Programe", false}, {"Verify", "Verify", false},
     {"Read1", "Read", false}, {"Secrity", "Protect", false}, {"ID", "ID", false}, {"Button1", "Run", false}},
    {{"CheckBox1", "Erase", true}, {"CheckBox2", "Blank", true}, {"CheckBox3", "Programe", true},
     {"CheckBox4", "Verify", true}, {"CheckBox5", "Protect", true}},
    "Run item",
    {{"RadioGroup1", "Protect mode", "1 No MOVC   |2 + No read |3 + No ext-code ", "2 + No read "},
     {"RadioGroup2", "Speed", "1ms|2ms|3ms", "1ms"}},
    "OK ",
};

const Expected kAt90s{
    "AT90s ",
    {{"Read1", "Read", false}, {"Erase", "Erase", false}, {"Blank", "Blank", false}, {"Write", "Programe", false},
     {"Verify", "Verify", false}, {"Secrity", "Protect", false}, {"ReadFuse", "Read F/S ", false},
     {"WtFuse", "Pro Fuse", false}, {"Button1", "Auto", false}, {"CancelBtn", "Exit", false}},
    {{"CheckBoxErase", "Erase", false}, {"CheckBoxBlank", "Blank", false}, {"CheckBoxWrite", "Programe", true},
     {"CheckBoxVer", "Verify", true}, {"CheckBoxFuse", "Pro Fuse", false}, {"CheckBoxConfig", "Protect", false}},
    "Auto",
    {{"RadioGroup1", "Protect Mode", "Protext+No Ver|Protect+Mo Pro|No used|No Protect", "No Protect"}},
    "OK ",
    "GroupBox2",
};

const Expected k2051{
    "P205x",
    {{"Read1", "Read", false}, {"Erase", "Erase", false}, {"Blank", "Blank", false}, {"Write", "Programe", false},
     {"Verify", "Verify", false}, {"Secrity", "Secrity", false}, {"Button1", "Auto", false}, {"CancelBtn", "Exit", false}},
    {{"CheckBox1", "Erase", false}, {"CheckBox2", "Blank", false}, {"CheckBox3", "Programe", true},
     {"CheckBox4", "Verify", true}, {"CheckBox5", "Secrity", false}},
    "Auto Pro",
    {{"RadioGroup1", "Sec Mode", "1:No Programe|2:No Pro+No Read", "2:No Pro+No Read"}},
    "OK ",
};

void CheckView(app::FormView& view, const Expected& e) {
    EXPECT_EQ(view.windowTitle().toStdString(), e.windowTitle);
    for (const Shown& s : e.buttons) {
        auto* b = qobject_cast<QPushButton*>(view.widgetFor(s.name));
        ASSERT_NE(b, nullptr) << s.name;
        EXPECT_EQ(b->text().toStdString(), s.caption) << s.name;
    }
    auto* group = qobject_cast<QGroupBox*>(view.widgetFor(e.runGroup));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title().toStdString(), e.groupTitle);
    for (const Shown& s : e.checkBoxes) {
        auto* c = qobject_cast<QCheckBox*>(view.widgetFor(s.name));
        ASSERT_NE(c, nullptr) << s.name;
        EXPECT_EQ(c->text().toStdString(), s.caption) << s.name;
        EXPECT_EQ(c->isChecked(), s.checked) << s.name;
        EXPECT_EQ(c->parentWidget(), group) << s.name;
    }
    EXPECT_EQ(view.widgetFor("Button1")->parentWidget(), group);
    for (const Radio& r : e.radios) {
        auto* box = qobject_cast<QGroupBox*>(view.widgetFor(r.name));
        ASSERT_NE(box, nullptr) << r.name;
        EXPECT_EQ(box->title().toStdString(), r.title) << r.name;
        QStringList items, chosen;
        for (auto* item : box->findChildren<QRadioButton*>()) {
            items << item->text();
            if (item->isChecked()) chosen << item->text();
        }
        EXPECT_EQ(items.join('|').toStdString(), r.items) << r.name;
        EXPECT_EQ(chosen.join('|').toStdString(), r.chosen) << r.name;
    }
    for (const char* edit : {"Edit6", "Edit7", "Msg"}) {
        auto* line = qobject_cast<QLineEdit*>(view.widgetFor(edit));
        ASSERT_NE(line, nullptr) << edit;
        EXPECT_TRUE(line->isReadOnly()) << edit;
    }
    EXPECT_NE(view.widgetFor("RdBar"), nullptr);
    // No button lies over another, however many rows they take.
    const auto buttons = view.findChildren<QPushButton*>();
    for (auto* a : buttons)
        for (auto* b : buttons) {
            if (a == b) continue;
            const QRect ra(a->mapTo(&view, QPoint(0, 0)), a->size());
            const QRect rb(b->mapTo(&view, QPoint(0, 0)), b->size());
            EXPECT_FALSE(ra.intersects(rb)) << a->objectName().toStdString() << " " << b->objectName().toStdString();
        }
}

bool Enabled(app::FormView& view, const char* name) { return view.widgetFor(name)->isEnabled(); }
std::string Text(app::FormView& view, const char* name) {
    return qobject_cast<QLineEdit*>(view.widgetFor(name))->text().toStdString();
}

TEST(GuiMcuDialogs, The40PinDialogShowsItsFormAndAnOtpRowDisablesErase) {
    test::WireRig<P89c5xDialog> rig(3, false);
    app::FormView view(rig.dlg, nullptr);
    CheckView(view, k89c5x);
    EXPECT_FALSE(Enabled(view, "Erase")); // until the start operation

    rig.dlg.Start();
    EXPECT_EQ(Text(view, "Msg"), k89c5x.started);
    EXPECT_EQ(Text(view, "Edit7"), "ANY: 27C512");
    EXPECT_TRUE(Enabled(view, "Erase"));
    EXPECT_TRUE(Enabled(view, "CheckBox1"));

    // The same view re-started for the AT87F51 (OTP) row.
    rig.selection.subType = 8;
    rig.dlg.Start();
    EXPECT_FALSE(Enabled(view, "Erase"));
    EXPECT_FALSE(Enabled(view, "CheckBox1"));
    for (const char* other : {"Blank", "Write", "Verify", "Read1", "Secrity", "ID", "Button1", "CheckBox2"})
        EXPECT_TRUE(Enabled(view, other)) << other;

    // Back on a flash row, Erase comes back.
    rig.selection.subType = 5;
    rig.dlg.Start();
    EXPECT_TRUE(Enabled(view, "Erase"));
    EXPECT_TRUE(Enabled(view, "CheckBox1"));
}

TEST(GuiMcuDialogs, The20PinDialogShowsItsFormAndSaysWhenNotConnected) {
    test::WireRig<P2051Dialog> rig(2, false);
    app::FormView view(rig.dlg, nullptr);
    CheckView(view, k2051);
    for (const char* button : {"Read1", "Erase", "Blank", "Write", "Verify", "Secrity", "Button1", "CheckBox1"})
        EXPECT_TRUE(Enabled(view, button)) << button;

    rig.dlg.Start();
    EXPECT_EQ(Text(view, "Msg"), k2051.started);
    EXPECT_EQ(Text(view, "Edit7"), "ANY: 27C512");
    rig.link.connected = 0;
    rig.dlg.Start();
    EXPECT_EQ(Text(view, "Msg"), "Communication error!");
}

TEST(GuiMcuDialogs, TheAt90sDialogShowsItsFormFuseBoxesAndStart) {
    test::WireRig<Avr90sDialog> rig(4, false);
    app::FormView view(rig.dlg, nullptr);
    CheckView(view, kAt90s);
    auto* fuse = qobject_cast<QGroupBox*>(view.widgetFor("GroupBox1"));
    ASSERT_NE(fuse, nullptr);
    EXPECT_EQ(fuse->title().toStdString(), "Fuse");
    for (const auto& [name, caption] : {std::pair{"CheckBox1", "Internal RC(RCEN)"}, {"CheckBox2", "On Line Load(SPI)"}}) {
        auto* c = qobject_cast<QCheckBox*>(view.widgetFor(name));
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->text().toStdString(), caption);
        EXPECT_FALSE(c->isChecked());
        EXPECT_EQ(c->parentWidget(), fuse);
    }
    rig.selection.typeName = "AT90S8515";
    rig.dlg.Start();
    EXPECT_EQ(Text(view, "Msg"), kAt90s.started);
    EXPECT_EQ(Text(view, "Edit7"), "AT90S8515");
    rig.link.connected = 0;
    rig.dlg.Start();
    EXPECT_EQ(Text(view, "Msg"), "Bad!");
}

} // namespace
