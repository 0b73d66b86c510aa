// The first session a new user has with the virtual box, through the real windows:
// connect, pick a 27C256 in the main window's lists, programme, verify and read it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <random>

#include "MainWindowView.h"
#include "QtProgram.h"
#include "buffer/Documents.h"
#include "buffer/TFileWin.h"
#include "catalogue/DeviceListSource.h"
#include "shell/Program.h"
#include "forms/HexText.h"
#include "sim/VirtualSocket.h"

using namespace quarvin;

namespace {

void AnswerYes() {
    QTimer::singleShot(10, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return AnswerYes();
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) == QMessageBox::YesRole) return b->click();
        box->accept();
    });
}

QWidget* TopLevel(const char* objectName) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName) return w;
    return nullptr;
}

TEST(GuiSession, A27C256IsProgrammedVerifiedAndReadOnTheVirtualBox) {
    const auto dir = std::filesystem::path(QUARVIN_BINARY_DIR) / "gui-program" / "session";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::ifstream src(std::filesystem::path(QUARVIN_SOURCE_DIR) / "data" / "devices.src");
    for (auto& [file, text] : GenerateDeviceLists(src).files) std::ofstream(dir / file, std::ios::binary) << text;
    std::ofstream(dir / "zomexnt.con", std::ios::binary) << "VBOX";

    std::string programDir = dir.string();
    programDir.push_back('/');
    app::QtProgram program(programDir, nullptr); // the virtual box only: no real port is probed
    AnswerYes();
    program.start();
    QApplication::processEvents();
    ASSERT_NE(program.virtualSocket(), nullptr) << "the virtual socket window opens with VBOX";
    app::MainWindowView* main = program.mainWindow();

    auto* maker = main->findChild<QComboBox*>("ComboBox1");
    const int intel = maker->findText("Intel", Qt::MatchContains);
    ASSERT_GE(intel, 0);
    maker->setCurrentIndex(intel);
    emit maker->activated(intel);
    QListWidget* types = main->typeList();
    const auto found = types->findItems("27C256", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    types->setCurrentItem(found.front());
    emit types->itemDoubleClicked(found.front());
    QApplication::processEvents();
    EXPECT_NE(program.virtualSocket()->control("InSocket").text().find("27c256"), std::string::npos);

    QWidget* dialog = TopLevel("TP27x");
    ASSERT_NE(dialog, nullptr);
    auto button = [&](const char* name) { return dialog->findChild<QAbstractButton*>(name); };
    auto message = [&] { return dialog->findChild<QLineEdit*>("Message")->text(); };

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
    button("Write")->click();
    EXPECT_TRUE(stopEnabledDuringTheRun);
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_EQ(buffer[0], image[0]);
    EXPECT_EQ(message(), "OK!");
    // The socket window has followed the programming.
    sim::VirtualSocket& socket = *program.virtualSocket();
    EXPECT_EQ(socket.control("Sum").text(), Format("%08x", socket.chip()->checksum()));
    EXPECT_NE(socket.control("Sum").text(), "007f8000");
    button("Verify")->click();
    EXPECT_EQ(message(), "Verify OK");
    std::fill_n(buffer.data(), image.size(), 0);
    button("ReadButton")->click();
    EXPECT_EQ(message(), "OK!");
    EXPECT_TRUE(std::equal(image.begin(), image.end(), buffer.data()));
    main->close();
}

} // namespace
