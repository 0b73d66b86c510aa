#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "FormView.h"
#include "MainWindowView.h"
#include "QtPlatform.h"
#include "QtProgram.h"
#include "catalogue/DeviceListSource.h"
#include "catalogue/TTypeDlg.h"
#include "link/TEp3.h"
#include "sim/VirtualSocket.h"
#include "shell/TMainForm.h"

using namespace quarvin;
using namespace quarvin::app;

namespace {

std::string MakeProgramDir(const std::string& name) {
    auto dir = std::filesystem::path(QUARVIN_BINARY_DIR) / "gui-program" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::ifstream src(std::string(QUARVIN_SOURCE_DIR) + "/data/devices.src");
    GeneratedLists lists = GenerateDeviceLists(src);
    for (auto& [file, text] : lists.files) std::ofstream(dir / file, std::ios::binary) << text;
    return dir.string() + "/";
}

// Answers the next message box by pressing its button with this text; keeps
// looking until one appears. Records the box's text.
void AnswerNextBox(const QString& button, QString* seenText) {
    QTimer::singleShot(10, [button, seenText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            AnswerNextBox(button, seenText);
            return;
        }
        if (seenText) *seenText = box->text();
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) != QMessageBox::InvalidRole && b->text().remove('&') == button) {
                b->click();
                return;
            }
        box->reject();
    });
}

class GuiProgram : public ::testing::Test {
protected:
    void StartSoftRun() {
        program = std::make_unique<QtProgram>(MakeProgramDir(
            ::testing::UnitTest::GetInstance()->current_test_info()->name()));
        AnswerNextBox("No", &startQuestion);
        program->start();
        QApplication::processEvents();
        main = program->mainWindow();
        ASSERT_NE(main, nullptr);
    }
    std::unique_ptr<QtProgram> program;
    MainWindowView* main = nullptr;
    QString startQuestion;
};

} // namespace

TEST_F(GuiProgram, StartsWithTheQuestionAnsweredAndShowsTheMainWindow) {
    StartSoftRun();
    EXPECT_TRUE(startQuestion.startsWith("Swicth on power")) << startQuestion.toStdString();
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->windowTitle().toStdString(), program->program().mainForm().caption());
    EXPECT_EQ(program->program().link().connected, 0);
    // The selection strip shows the category list and the type list rows.
    auto* category = main->findChild<QComboBox*>("ComboBox2");
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category->count(), 7);
    EXPECT_GT(main->typeList()->count(), 0);
}

TEST_F(GuiProgram, MenusAndShortcutsCarryTheirCaptions) {
    StartSoftRun();
    QStringList bar;
    for (QAction* a : main->menuBar()->actions()) bar << a->text();
    EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "Option", "&Test", "&Window", "&Help"}));
    struct Case { const char* menu; const char* caption; const char* keys; };
    const Case cases[] = {
        {"&Edit", "&Change buffer size ", "Ctrl+E"}, {"&Edit", "&Find", "Ctrl+F"},
        {"&Edit", "&Replace", "Ctrl+R"},             {"&Edit", "&Again", "F3"},
        {"Option", "&Programme", ""},                {"&Test", "System Status", ""},
        {"&Window", "&Close Type Window", ""},       {"&Help", "&About...", ""},
    };
    for (const auto& c : cases) {
        QAction* a = main->action(c.menu, c.caption);
        ASSERT_NE(a, nullptr) << c.caption;
        EXPECT_EQ(a->shortcut(), QKeySequence(c.keys)) << c.caption;
    }
    QAction* test = main->toolBar()->findChild<QAction*>("SpeedButton5");
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(test->toolTip(), "Test system");
}

TEST_F(GuiProgram, DoubleClickAndEnterInTheTypeListConfirm) {
    StartSoftRun();
    TTypeDlg& dialog = program->program().typeDialog();
    QListWidget* list = main->typeList();
    ASSERT_GT(list->count(), 4);
    list->setCurrentRow(3);
    emit list->itemDoubleClicked(list->item(3));
    EXPECT_EQ(dialog.selection().typeName, list->item(3)->text().toStdString());
    list->setCurrentRow(4);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list, &down);
    EXPECT_EQ(dialog.selection().typeName, list->item(3)->text().toStdString());  // arrows only move
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    EXPECT_EQ(dialog.selection().typeName, list->item(list->currentRow())->text().toStdString());
    EXPECT_NE(list->currentRow(), 3);
}

TEST_F(GuiProgram, CloseAndOpenTypeWindow) {
    StartSoftRun();
    main->action("&Window", "&Close Type Window")->trigger();
    EXPECT_FALSE(main->typePanel()->isVisible());
    main->action("&Window", "&Open Type Window")->trigger();
    EXPECT_TRUE(main->typePanel()->isVisible());
    EXPECT_EQ(main->typePanel()->width(), 145);
}

TEST_F(GuiProgram, ScreenshotWithTheHexWindowOpen) {
    StartSoftRun();
    main->action("&File", "&New")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(main->mdiArea()->subWindowList().isEmpty());
    main->resize(1024, 700);
    QApplication::processEvents();
    std::filesystem::create_directories(std::string(QUARVIN_BINARY_DIR) + "/screenshots");
    const std::string path = std::string(QUARVIN_BINARY_DIR) + "/screenshots/main.png";
    std::filesystem::remove(path);
    ASSERT_TRUE(main->grab().save(QString::fromStdString(path)));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

TEST(GuiFormView, RendersTheDeclaredControlsAndForwardsUserActions) {
    Form form("TDemo", "Demo", 300, 200);
    int clicks = 0, exits = 0;
    std::vector<int> radio;
    form.add(ControlKind::GroupBox, "GroupBox1", "Options", 4, 4, 200, 90);
    Control& button = form.add(ControlKind::Button, "Button1", "Read", 210, 10, 80, 26);
    button.onClick = [&] {
        ++clicks;
        form.click("Button1");  // re-entry while busy must not run
    };
    Control& edit = form.add(ControlKind::Edit, "Edit1", "0000", 210, 50, 80, 24);
    edit.onExit = [&] { ++exits; };
    Control& group = form.add(ControlKind::RadioGroup, "RadioGroup1", "Size", 4, 10, 180, 70);
    group.parent = "GroupBox1";
    group.setItems({"8 bit", "16 bit"});
    group.onChange = [&] { radio.push_back(group.itemIndex()); };
    form.add(ControlKind::CheckBox, "CheckBox1", "Verify", 4, 100, 100, 20).setChecked(true);

    FormView view(form, nullptr);
    auto* b = qobject_cast<QPushButton*>(view.widgetFor("Button1"));
    auto* e = qobject_cast<QLineEdit*>(view.widgetFor("Edit1"));
    auto* c = qobject_cast<QCheckBox*>(view.widgetFor("CheckBox1"));
    ASSERT_TRUE(b && e && c);
    EXPECT_EQ(b->text(), "Read");
    EXPECT_EQ(e->text(), "0000");
    EXPECT_TRUE(c->isChecked());
    EXPECT_EQ(view.widgetFor("RadioGroup1")->parentWidget(), view.widgetFor("GroupBox1"));

    b->click();
    EXPECT_EQ(clicks, 1);
    form.control("Edit1").setText("1234");  // the model speaks, the view follows
    EXPECT_EQ(e->text(), "1234");
    form.control("Button1").setEnabled(false);
    EXPECT_FALSE(b->isEnabled());
    auto radios = view.widgetFor("RadioGroup1")->findChildren<QAbstractButton*>();
    ASSERT_EQ(radios.size(), 2);
    radios[1]->click();
    EXPECT_EQ(radio, std::vector<int>{1});
    EXPECT_EQ(form.control("RadioGroup1").itemIndex(), 1);
    e->setFocus();
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(e, &out);
    EXPECT_EQ(exits, 1);
}

TEST(GuiFileDialogs, FilterStringsBecomeQtFiltersMatchingBothCases) {
    struct Case { std::string filter; QStringList want; };
    const Case cases[] = {
        {"Bin file (*.bin)|*.BIN|Hex file|*.hex;*.ihx",
         {"Bin file (*.BIN *.bin)", "Hex file (*.hex *.HEX *.ihx *.IHX)"}},
        {"*.*|*.*", {"*.* (*.*)"}},
        {"", {"All files (*)"}},
        {"dangling label only", {"All files (*)"}},
    };
    for (const auto& c : cases) EXPECT_EQ(NameFilters(c.filter), c.want) << c.filter;
}

TEST_F(GuiProgram, SystemStatusShowsTheLinkDialogThroughTheGenericView) {
    StartSoftRun();
    TEp3& ep3 = program->program().linkDialog();
    ep3.hide();
    QAction* test = main->toolBar()->findChild<QAction*>("SpeedButton5");
    ASSERT_NE(test, nullptr);
    test->trigger();
    auto* view = dynamic_cast<FormView*>(program->host().viewOf(ep3));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    auto* button = qobject_cast<QPushButton*>(view->widgetFor("Button1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Win Version");
    button->click();
    auto* edit = qobject_cast<QLineEdit*>(view->widgetFor("Edit1"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text().count('.'), 4) << edit->text().toStdString();
}

TEST_F(GuiProgram, VirtualBoxLinkOpensTheVirtualSocketWithTheLastDevicesPart) {
    const std::string dir = MakeProgramDir("VirtualBox");
    std::ofstream(dir + "zomexnt.con", std::ios::binary) << "VBOX";
    program = std::make_unique<QtProgram>(dir);
    AnswerNextBox("Yes", &startQuestion);
    program->start();
    QApplication::processEvents();
    ASSERT_EQ(program->program().link().connected, 1);
    sim::VirtualSocket* socket = program->virtualSocket();
    ASSERT_NE(socket, nullptr);
    EXPECT_TRUE(socket->visible());
    ASSERT_NE(program->host().viewOf(*socket), nullptr);
    EXPECT_TRUE(program->host().viewOf(*socket)->isVisible());
    EXPECT_NE(socket->chip(), nullptr);  // the EPROM confirmed at start sits in the socket
}

TEST(GuiStopRequest, StopKeysCountOnlyWhileAnOperationRuns) {
    QtStopRequest stop;
    QWidget target;
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&target, &esc);
    EXPECT_FALSE(stop.stopRequested());
    {
        RunningOperation running(&stop);
        QKeyEvent ctrlC(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
        QApplication::sendEvent(&target, &ctrlC);
        EXPECT_TRUE(stop.stopRequested());
    }
    RunningOperation next(&stop);
    EXPECT_FALSE(stop.stopRequested());  // a new operation starts without the old request
}

TEST(GuiFormView, ModalRunEndsWithTheResultTheModelSets) {
    Form form("TAsk", "Ask", 200, 100);
    Control& ok = form.add(ControlKind::Button, "OKBtn", "OK", 10, 10, 80, 26);
    ok.onClick = [&] {
        form.setModalResult(Form::ModalOk);
        form.hide();
    };
    QtWindowHost host(nullptr);
    host.formCreated(form);
    QTimer::singleShot(20, [&] {
        auto* view = dynamic_cast<FormView*>(host.viewOf(form));
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->isVisible());
        qobject_cast<QPushButton*>(view->widgetFor("OKBtn"))->click();
    });
    EXPECT_EQ(host.runModal(form), Form::ModalOk);
    EXPECT_FALSE(host.viewOf(form)->isVisible());
    // Closed by its frame: cancelled.
    QTimer::singleShot(20, [&] { host.viewOf(form)->close(); });
    EXPECT_EQ(host.runModal(form), Form::ModalCancel);
    host.formDestroyed(form);
    EXPECT_EQ(host.viewOf(form), nullptr);
}

TEST_F(GuiProgram, NoOtherCommandStartsWhileAnOperationRuns) {
    StartSoftRun();
    TEp3& ep3 = program->program().linkDialog();
    ep3.hide();
    {
        RunningOperation running(&program->stop());  // a device loop is under way
        main->action("&Test", "System Status")->trigger();
        EXPECT_FALSE(ep3.visible());
        main->close();
        EXPECT_FALSE(program->program().shutDownDone());
        EXPECT_TRUE(main->isVisible());
        main->toolBar()->findChild<QAction*>("StopButton")->trigger();
        EXPECT_TRUE(program->stop().stopRequested());
    }
    main->action("&Test", "System Status")->trigger();
    EXPECT_TRUE(ep3.visible());
    main->close();
    EXPECT_TRUE(program->program().shutDownDone());
}
