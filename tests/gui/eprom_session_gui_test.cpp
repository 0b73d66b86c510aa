// The first session a new user has with the virtual box, through the real windows:
// connect, pick a 27C256 in the main window's lists, programme and verify it.
#include <random>

#include "GuiChoose.h"
#include "OnTheVirtualBox.h"
#include "buffer/Documents.h"
#include "buffer/TFileWin.h"
#include "forms/HexText.h"
#include "shell/Program.h"
#include "sim/VirtualSocket.h"

using namespace quarvin;

namespace {

using GuiSession = guitest::OnTheVirtualBox;

TEST_F(GuiSession, A27C256IsProgrammedAndVerifiedOnTheVirtualBox) {
    EXPECT_EQ(main->findChild<QLabel*>("StatusPanel0")->text(), "virtual box");

    guitest::Choose(main, "EPROM", "Intel", "27C256");
    EXPECT_NE(program.virtualSocket()->control("InSocket").text().find("27c256"), std::string::npos);
    QWidget* dialog = guitest::TopLevel("TP27x");
    ASSERT_NE(dialog, nullptr);

    MainBuffer& buffer = program.program().buffer();
    std::vector<std::uint8_t> image(0x8000);
    std::mt19937 rng(7);
    for (auto& b : image) b = static_cast<std::uint8_t>(rng());
    std::copy(image.begin(), image.end(), buffer.data());

    // While "Programe" runs, Stop is the only thing that takes input: a digit typed
    // into the hex window must not change a byte that is still to be sent.
    QAction* stop = main->toolBar()->findChild<QAction*>("StopButton");
    EXPECT_FALSE(stop->isEnabled());
    auto* dump = program.host().viewOf(*program.program().documents().hexWindow())->findChild<QPlainTextEdit*>("RichEdit1");
    bool stopEnabledDuringTheRun = false;
    QTimer::singleShot(0, [&] {
        stopEnabledDuringTheRun = stop->isEnabled();
        QKeyEvent digit(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, "5");
        QApplication::sendEvent(dump, &digit);
    });
    EXPECT_EQ(guitest::Click(dialog, "Write"), "OK!");
    EXPECT_TRUE(stopEnabledDuringTheRun);
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_EQ(buffer[0], image[0]);
    // The socket window has followed the programming.
    sim::VirtualSocket& socket = *program.virtualSocket();
    EXPECT_EQ(socket.control("Sum").text(), Format("%08x", socket.chip()->checksum()));
    EXPECT_EQ(guitest::Click(dialog, "Verify"), "Verify OK");
    // A Verify that fails opens the "Differences" window (its listing and the
    // read are checked on the models: tests/shell/eprom_session_test).
    buffer[5] = static_cast<std::uint8_t>(image[5] ^ 0x40);
    const std::string bad = guitest::Click(dialog, "Verify");
    EXPECT_EQ(bad.rfind("000005:Bad!", 0), 0u) << bad;
    QWidget* differences = guitest::TopLevel("TDifferences");
    ASSERT_TRUE(differences && differences->isVisible());
    EXPECT_EQ(differences->windowTitle(), "Differences");
    guitest::SaveScreenshot(dialog->grab(), "tp27x.png");
}

} // namespace
