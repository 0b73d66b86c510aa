// The link diagnostics' read-ahead switch through the generic form view, on the
// program's virtual box.
#include "QtProgram.h"
#include "guitest.h"
#include "link/TEp3.h"
#include "shell/Program.h"

using namespace quarvin;

namespace {

TEST(GuiLinkDialog, TheReadAheadCheckBoxSwitchesOffAndProbesOn) {
    app::QtProgram program(guitest::ProgramDir("linkdialog", true), nullptr);
    guitest::StartAnsweringYes(program);
    TEp3& ep3 = program.program().linkDialog();
    QWidget* view = program.host().viewOf(ep3);
    ASSERT_NE(view, nullptr);
    view->show();
    QApplication::processEvents();
    auto* box = view->findChild<QCheckBox*>("CheckBox1");
    auto* status = view->findChild<QLineEdit*>("Edit4");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(box->text(), "Read ahead");
    EXPECT_TRUE(box->isChecked()) << "the virtual box reads ahead from the start";

    box->click();
    QApplication::processEvents();
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(status->text(), "Read ahead off (this session)");
    EXPECT_EQ(ep3.link().readAheadWindow, 1);

    box->click();
    QApplication::processEvents();
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(status->text(), "Read ahead on: window 128 (this session)");
    EXPECT_EQ(ep3.link().readAheadWindow, 128);
    EXPECT_FALSE(view->findChild<QPlainTextEdit*>("Memo1")->isVisible()) << "no advice for the virtual box";
    view->hide();
    program.mainWindow()->close();
}

} // namespace
