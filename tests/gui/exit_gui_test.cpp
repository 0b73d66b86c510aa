// File > Exit ends the program as closing the main window does: the event loop
// ends, the configuration file is written and the socket is powered down.
#include <QTest>
#include <filesystem>

#include "MainWindowView.h"
#include "QtProgram.h"
#include "guitest.h"
#include "link/commands/LinkOps.h"
#include "shell/Program.h"
#include "sim/Box.h"
#include "sim/VirtualBoxTransport.h"

using namespace quarvin;

namespace {

enum class ExitBy { MenuItem, Keyboard };

TEST(GuiExit, FileExitEndsTheEventLoopWithTheSocketPoweredDown) {
    for (ExitBy way : {ExitBy::MenuItem, ExitBy::Keyboard}) {
        SCOPED_TRACE(way == ExitBy::MenuItem ? "menu item" : "keyboard");
        const std::string dir = guitest::ProgramDir("exit", true);
        app::QtProgram program(dir, nullptr);
        guitest::StartAnsweringYes(program);
        app::MainWindowView* main = program.mainWindow();
        ASSERT_NE(main, nullptr);
        main->activateWindow();
        const sim::Socket& socket = program.ports().box()->socket();
        ConnectVcc(program.program().link(), 40);
        ASSERT_NE(socket.vccPins(), 0u);

        QTimer::singleShot(0, main, [main, way] {
            if (way == ExitBy::MenuItem) {
                main->action("&File", "E&xit")->trigger();
                return;
            }
            // Alt+F opens the File menu; X is the mnemonic of its Exit item.
            QApplication::setActiveWindow(main);
            QTest::keyClick(main, Qt::Key_F, Qt::AltModifier);
            for (int wait = 0; wait < 50 && !QApplication::activePopupWidget(); ++wait) QTest::qWait(10);
            QWidget* popup = QApplication::activePopupWidget();
            ASSERT_NE(popup, nullptr);
            QTest::keyClick(popup, Qt::Key_X);
        });
        // A loop that Exit does not end ends here instead, and the test fails.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(2); });
        guard.start(5000);
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_FALSE(main->isVisible());
        EXPECT_TRUE(program.program().shutDownDone());
        EXPECT_EQ(socket.vccPins(), 0u);
        EXPECT_TRUE(std::filesystem::exists(dir + "quarvinV5EN.CFG"));
    }
}

} // namespace
