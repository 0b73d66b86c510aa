// The README's pictures, taken from the running program on the virtual box: the
// main window with a family dialog, the PLD window with a design, and the logic IC
// tester after a search. They go to build/test/screenshots/readme_*.png.
#include <filesystem>

#include "GuiChoose.h"
#include "QtProgram.h"
#include "buffer/FileCommands.h"
#include "families/PldTestFiles.h"
#include "guitest.h"
#include "shell/Program.h"
#include "sim/Box.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/families/logic_ic/LogicChip.h"

using namespace quarvin;
using guitest::Choose;
using guitest::TopLevel;

namespace {

void Save(const QPixmap& picture, const char* name) { guitest::SaveScreenshot(picture, std::string("readme_") + name + ".png", 2000); }

// The main window with a dialog drawn over it, where the window system would show it.
QPixmap WithDialog(QWidget* main, QWidget* dialog, QPoint at) {
    QPixmap picture = main->grab();
    QPainter painter(&picture);
    painter.drawPixmap(at, dialog->grab());
    return picture;
}

TEST(GuiReadmeScreenshots, MainWindowPldWindowAndIcTester) {
    const std::string dir = guitest::ProgramDir("readme_screenshots", true);
    std::filesystem::copy_file(std::filesystem::path(QUARVIN_SOURCE_DIR) / "data" / "TTL74.LIB", dir + "TTL74.LIB");
    // The tester reads its libraries from the program directory, the working directory.
    const auto workingDir = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    struct Back {
        std::filesystem::path dir;
        ~Back() { std::filesystem::current_path(dir); }
    } back{workingDir};
    app::QtProgram program(dir, nullptr);
    guitest::StartAnsweringYes(program);
    app::MainWindowView* main = program.mainWindow();
    main->showNormal();
    main->resize(1100, 720);

    Choose(main, "EPROM", "AMD", "Am27C256");
    QWidget* eprom = TopLevel("TP27x");
    ASSERT_NE(eprom, nullptr);
    eprom->findChild<QAbstractButton*>("Blank")->click();
    QApplication::processEvents();
    Save(WithDialog(main, eprom, QPoint(420, 150)), "main_eprom");
    // The same in Chinese, chosen in Option > Language.
    main->findChild<QAction*>("Language_zh")->trigger();
    QApplication::processEvents();
    Save(WithDialog(main, eprom, QPoint(420, 150)), "main_eprom_zh");
    main->findChild<QAction*>("Language_classic")->trigger();
    QApplication::processEvents();
    eprom->findChild<QAbstractButton*>("CancelBtn")->click();

    Choose(main, "GAL", "Lattice", "GAL16V8B");
    ASSERT_TRUE(program.program().fileCommands().ReloadDataFile(test::PldFile("gal16v8_reg.jed")));
    QApplication::processEvents();
    QMdiSubWindow* pld = main->mdiArea()->activeSubWindow();
    ASSERT_NE(pld, nullptr);
    pld->resize(640, 520);
    QApplication::processEvents();
    Save(pld->grab(), "pld_window");
    if (QWidget* gal = TopLevel("TGALx")) gal->findChild<QAbstractButton*>("CancelBtn")->click();

    Choose(main, "TEST TTL/CMOS", "Logic", "74xxx TTL");
    const auto& parts = sim::Ttl74Parts();
    ASSERT_FALSE(parts.empty());
    program.ports().box()->insert(std::make_shared<sim::LogicChip>(parts.front()));
    QWidget* tester = TopLevel("TICTestx");
    ASSERT_NE(tester, nullptr);
    const std::string found = guitest::Click(tester, "Button1");
    EXPECT_EQ(found.rfind("Find", 0), 0u) << found;
    Save(tester->grab(), "ic_tester");
    main->close();
}

} // namespace
