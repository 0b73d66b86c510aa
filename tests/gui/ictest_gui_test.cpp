// The logic IC tester as the generic view shows it: its caption, the class
// group, the two lists and the read-only fields, and the lists following the
// library, the selection and a search.
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "FormView.h"
#include "families/IcTestParts.h"
#include "families/LogicIcRig.h"
#include "guitest.h"

using namespace quarvin;

namespace {

QStringList Rows(QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
}

TEST(GuiIcTester, DefaultsListsAndASearchInTheGenericView) {
    test::IcLibraryDir dir("gui");
    dir.compile(0, test::icparts::kNandVec + test::icparts::kBufferVec);
    test::LogicIcRig rig(dir.path(), 0, &test::icparts::kBuffer);
    app::FormView view(*rig.dlg, nullptr);
    EXPECT_EQ(view.windowTitle().toStdString(), "Test  IC (74,40,45)");

    auto* group = qobject_cast<QGroupBox*>(view.widgetFor("RadioGroup1"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title().toStdString(), "Class");
    QStringList items, chosen;
    for (auto* item : group->findChildren<QRadioButton*>()) {
        items << item->text();
        if (item->isChecked()) chosen << item->text();
    }
    EXPECT_EQ(items.join('|').toStdString(), "74xxx|40xxx|45xxx");
    EXPECT_EQ(chosen.join('|').toStdString(), "74xxx");
    for (const auto& [name, caption] : {std::pair{"Test1", "Founction"}, std::pair{"Button1", "Search"},
                                        std::pair{"CancelBtn", "Exit"}}) {
        auto* b = qobject_cast<QPushButton*>(view.widgetFor(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->text().toStdString(), caption);
    }
    for (const char* edit : {"Number", "Message"}) {
        auto* line = qobject_cast<QLineEdit*>(view.widgetFor(edit));
        ASSERT_NE(line, nullptr) << edit;
        EXPECT_TRUE(line->isReadOnly()) << edit;
    }
    EXPECT_EQ(qobject_cast<QLineEdit*>(view.widgetFor("Number"))->text().toStdString(), "74xx00");
    EXPECT_EQ(qobject_cast<QLineEdit*>(view.widgetFor("Message"))->text().toStdString(), "OK ");

    auto* types = qobject_cast<QListWidget*>(view.widgetFor("ListBox1"));
    auto* found = qobject_cast<QListWidget*>(view.widgetFor("ListBox2"));
    ASSERT_NE(types, nullptr);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(Rows(types).join('|').toStdString(), "74xx00|74xx125");
    EXPECT_EQ(found->count(), 0);

    rig.dlg->click("Button1");
    EXPECT_EQ(Rows(found).join('|').toStdString(), "74xx125");
    EXPECT_EQ(types->currentRow(), 1);
    EXPECT_EQ(qobject_cast<QLineEdit*>(view.widgetFor("Number"))->text().toStdString(), "74xx125");
    EXPECT_EQ(qobject_cast<QLineEdit*>(view.widgetFor("Message"))->text().toStdString(), "Find 1");
}

} // namespace
