// The main window, its menus and type list, and the generic form view, on the
// program in soft-run mode.
#include "FormView.h"
#include "MainWindowView.h"
#include "QtProgram.h"
#include "catalogue/TTypeDlg.h"
#include "forms/OperationState.h"
#include "guitest.h"
#include "link/TEp3.h"
#include "shell/TMainForm.h"

using namespace quarvin;
using namespace quarvin::app;

namespace {

// The program started with "No" to the start question: soft-run mode.
class GuiProgram : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<QtProgram>(guitest::ProgramDir("softrun", false));
        guitest::AnswerBox(QMessageBox::NoRole, &startQuestion);
        program->start();
        QApplication::processEvents();
        main = program->mainWindow();
        ASSERT_NE(main, nullptr);
    }
    std::unique_ptr<QtProgram> program;
    MainWindowView* main = nullptr;
    QString startQuestion;
};

TEST_F(GuiProgram, StartsInSoftRunWithMenusShortcutsAndAScreenshot) {
    EXPECT_TRUE(startQuestion.startsWith("Swicth on power")) << startQuestion.toStdString();
    EXPECT_EQ(main->windowTitle().toStdString(), program->program().mainForm().caption());
    EXPECT_EQ(main->findChild<QLabel*>("StatusPanel0")->text(), "soft run");
    EXPECT_EQ(main->findChild<QComboBox*>("ComboBox2")->count(), 7);

    QStringList bar;
    for (QAction* a : main->menuBar()->actions()) bar << a->text();
    EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "Option", "&Test", "&Window", "&Help"}));
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"&Edit", "&Change buffer size ", "Ctrl+E"}, {"&Edit", "&Find", "Ctrl+F"}, {"&Edit", "&Replace", "Ctrl+R"},
        {"&Edit", "&Again", "F3"}, {"Option", "&Programme", ""}, {"Option", "&Reconnect", ""},
    };
    for (const auto& [menu, caption, keys] : cases) {
        QAction* a = main->action(menu, caption);
        ASSERT_NE(a, nullptr) << caption;
        EXPECT_EQ(a->shortcut(), QKeySequence(keys)) << caption;
    }
    EXPECT_EQ(main->toolBar()->findChild<QAction*>("SpeedButton5")->toolTip(), "Test system");

    main->action("&File", "&New")->trigger();
    main->resize(1024, 700);
    QApplication::processEvents();
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
    guitest::SaveScreenshot(main->grab(), "main.png");
}

TEST_F(GuiProgram, TypeListConfirmsOnDoubleClickAndEnterAndClosesAndOpens) {
    const SelectionState& selection = program->program().typeDialog().selection();
    QListWidget* list = main->typeList();
    list->setCurrentRow(3);
    emit list->itemDoubleClicked(list->item(3));
    EXPECT_EQ(selection.typeName, list->item(3)->text().toStdString());
    list->setCurrentRow(4);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list, &down);
    EXPECT_EQ(selection.typeName, list->item(3)->text().toStdString());  // arrows only move
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    EXPECT_NE(list->currentRow(), 3);
    EXPECT_EQ(selection.typeName, list->currentItem()->text().toStdString());

    main->action("&Window", "&Close Type Window")->trigger();
    EXPECT_FALSE(main->typePanel()->isVisible());
    main->action("&Window", "&Open Type Window")->trigger();
    EXPECT_TRUE(main->typePanel()->isVisible());
    EXPECT_EQ(main->typePanel()->width(), 145);
}

TEST_F(GuiProgram, NoOtherCommandOrCloseWhileAnOperationRuns) {
    TEp3& ep3 = program->program().linkDialog();
    ep3.hide();
    {
        RunningOperation running(&program->stop());  // a device loop is under way
        OperationState::Scope operation;
        main->action("&Test", "System Status")->trigger();
        main->close();
        EXPECT_FALSE(ep3.visible());
        EXPECT_TRUE(main->isVisible());
        main->toolBar()->findChild<QAction*>("StopButton")->trigger();
        EXPECT_TRUE(program->stop().stopRequested());
    }
    main->action("&Test", "System Status")->trigger();
    EXPECT_TRUE(ep3.visible());
    main->close();
    EXPECT_TRUE(program->program().shutDownDone());
}

// Each kind of control rendered with its caption and state, the model's changes
// followed, and the user's click, check, row choice and the window's activation
// forwarded to the model.
TEST(GuiFormView, RendersTheModelAndForwardsTheUsersInput) {
    Form form("TDemo", "Demo", 300, 300);
    int clicks = 0, changes = 0, activations = 0;
    form.onActivate = [&] { ++activations; };
    form.add(ControlKind::GroupBox, "GroupBox1", "Options", 4, 4, 200, 90);
    form.add(ControlKind::Edit, "Edit1", "0000", 4, 10, 80, 24).parent = "GroupBox1";
    form.add(ControlKind::Edit, "Message", " ", 4, 100, 200, 24).readOnly = true;
    Control& check = form.add(ControlKind::CheckBox, "CheckBox1", "Blank", 4, 130, 80, 20);
    check.setChecked(true);
    check.onChange = [&] { ++changes; };
    Control& radios = form.add(ControlKind::RadioGroup, "RadioGroup1", "Pro time", 100, 130, 150, 60);
    radios.setItems({"1 time", "2 times"});
    radios.setItemIndex(1);
    Control& rows = form.add(ControlKind::ListBox, "ListBox1", "", 4, 200, 150, 80);
    rows.setItems({"74xx00", "74xx125"});
    Control& button = form.add(ControlKind::Button, "Button1", "Read", 210, 10, 80, 26);
    button.onClick = [&] {
        ++clicks;
        form.click("Button1");  // re-entry while busy must not run
    };
    FormView view(form, nullptr);
    auto* b = qobject_cast<QPushButton*>(view.widgetFor("Button1"));
    auto* e = qobject_cast<QLineEdit*>(view.widgetFor("Edit1"));
    auto* c = qobject_cast<QCheckBox*>(view.widgetFor("CheckBox1"));
    auto* list = qobject_cast<QListWidget*>(view.widgetFor("ListBox1"));
    ASSERT_TRUE(b && e && c && list);
    EXPECT_EQ(view.windowTitle(), "Demo");
    EXPECT_EQ(b->text(), "Read");
    EXPECT_EQ(e->text(), "0000");
    EXPECT_EQ(e->parentWidget(), view.widgetFor("GroupBox1"));
    EXPECT_EQ(qobject_cast<QGroupBox*>(view.widgetFor("GroupBox1"))->title(), "Options");
    EXPECT_TRUE(qobject_cast<QLineEdit*>(view.widgetFor("Message"))->isReadOnly());
    EXPECT_TRUE(c->isChecked());
    QStringList items; // the checked one marked with '*'
    for (auto* r : view.widgetFor("RadioGroup1")->findChildren<QRadioButton*>())
        items << (r->isChecked() ? "*" : "") + r->text();
    EXPECT_EQ(items.join('|').toStdString(), "1 time|*2 times");
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "74xx125");

    b->click();
    EXPECT_EQ(clicks, 1);
    c->click();
    EXPECT_FALSE(check.checked());
    EXPECT_EQ(changes, 1);
    list->setCurrentRow(1);
    EXPECT_EQ(rows.itemIndex(), 1);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&view, &activate);
    EXPECT_EQ(activations, 1);

    // The model speaks, the view follows.
    form.control("Edit1").setText("1234");
    form.control("Button1").setEnabled(false);
    rows.setItems({"4017"});
    rows.setItemIndex(0);
    form.control("Message").setVisible(false);
    EXPECT_EQ(e->text(), "1234");
    EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->currentItem()->text(), "4017");
    EXPECT_FALSE(view.widgetFor("Message")->isVisibleTo(&view));
}

} // namespace
