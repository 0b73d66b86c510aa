// The serial memories through the real windows and the virtual box: a 24C256 and a
// 93C66 in x16 are picked in the main window's lists, programmed, verified and read
// back into a cleared buffer.
#include <random>

#include "GuiChoose.h"
#include "MainWindowView.h"
#include "QtProgram.h"
#include "guitest.h"
#include "shell/Program.h"
#include "sim/VirtualSocket.h"

using namespace quarvin;

namespace {

QString TextOf(QWidget* w) {
    if (auto* line = qobject_cast<QLineEdit*>(w)) return line->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) return plain->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(w)) return rich->toPlainText();
    return "<no text field>";
}

TEST(GuiSession, A24C256AndA93C66InX16AreProgrammedVerifiedAndReadOnTheVirtualBox) {
    app::QtProgram program(guitest::ProgramDir("serial-session", true), nullptr);
    guitest::StartAnsweringYes(program);
    ASSERT_NE(program.virtualSocket(), nullptr);
    app::MainWindowView* main = program.mainWindow();
    MainBuffer& buffer = program.program().buffer();

    struct Part {
        const char* type;
        const char* dialogClass;
        const char* chip;        // in the virtual socket
        std::size_t bytes;       // 93C66 x16: 256 words, two bytes each
        const char* programmed;  // the 24Cxx Programe ends with its Verify
    } parts[] = {{"AT24C256", "TP24c0x", "24C256", 0x8000, "Verify OK"},
                 {"AT93C66 (256x16)", "TP93cxx", "93C66", 0x200, "OK"}};
    for (const Part& p : parts) {
        SCOPED_TRACE(p.type);
        guitest::Choose(main, "Serial", "Atmel", p.type);
        QWidget* dialog = guitest::TopLevel(p.dialogClass);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        EXPECT_EQ(program.virtualSocket()->control("InSocket").text(), p.chip);
        auto click = [&](const char* name) {
            auto* b = dialog->findChild<QAbstractButton*>(name);
            ASSERT_NE(b, nullptr) << name;
            b->click();
        };
        auto message = [&] { return TextOf(dialog->findChild<QWidget*>("Msg")).trimmed().toStdString(); };

        std::vector<std::uint8_t> image(p.bytes);
        std::mt19937 rng(11);
        for (auto& b : image) b = static_cast<std::uint8_t>(rng());
        std::copy(image.begin(), image.end(), buffer.data());
        click("Write");
        EXPECT_EQ(message(), p.programmed);
        click("Verify");
        EXPECT_EQ(message(), "Verify OK");
        std::fill_n(buffer.data(), image.size(), 0);
        click("ReadButton");
        EXPECT_EQ(message(), "Finished");
        EXPECT_TRUE(std::equal(image.begin(), image.end(), buffer.data()));
        click("CancelBtn");
        QApplication::processEvents();
    }
    main->close();
}

} // namespace
