// What a user meets when moving between devices in the real windows on the
// virtual box: a HEX file loaded after a fuse map programs the file's words and
// blank words only; each static RAM row puts the part it names into the socket,
// and a reopened tester shows nothing of its last failed run.
#include <filesystem>

#include "GuiChoose.h"
#include "OnTheVirtualBox.h"
#include "buffer/FileCommands.h"
#include "buffer/formats/IntelHex.h"
#include "families/PldTestFiles.h"
#include "shell/Program.h"
#include "sim/Chip.h"
#include "sim/VirtualSocket.h"

using namespace quarvin;
using guitest::Choose;
using guitest::Click;
using guitest::TopLevel;

namespace {

using GuiDeviceSwitch = guitest::OnTheVirtualBox;

TEST_F(GuiDeviceSwitch, AHexFileAfterAFuseMapProgramsTheFilesWordsAndBlankWordsElsewhere) {
    Program& core = program.program();
    Choose(main, "GAL", "Lattice", "GAL16V8");
    ASSERT_TRUE(core.fileCommands().ReloadDataFile(test::PldFile("gal16v8_reg.jed")));

    Choose(main, "MPU", "Microchip", "PIC16F84A");
    const std::vector<std::uint8_t> words = {0x05, 0x28, 0x83, 0x16, 0x00, 0x30}; // goto 5, bsf, movlw
    const std::string hex = dir + "device_switch.hex";
    {
        auto image = std::make_unique<MainBuffer>();
        std::copy(words.begin(), words.end(), image->data());
        ASSERT_TRUE(formats::saveIntelHexFile(*image, static_cast<std::int64_t>(words.size()) - 1, hex));
    }
    ASSERT_TRUE(core.fileCommands().ReloadDataFile(hex));
    QApplication::processEvents();
    QMdiSubWindow* shown = main->mdiArea()->activeSubWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowTitle().toStdString(), hex); // nothing merged into the file's bytes

    QWidget* dialog = TopLevel("TP16c8x");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Click(dialog, "Write", "Msg"), "Finished");
    EXPECT_EQ(Click(dialog, "Verify", "Msg"), "OK");
    const auto& chip = program.virtualSocket()->chip()->memory();
    ASSERT_EQ(chip.size(), 2048u);
    EXPECT_TRUE(std::equal(words.begin(), words.end(), chip.begin()));
    std::size_t notBlank = 0;
    for (std::size_t a = words.size(); a < chip.size(); a += 2) notBlank += chip[a] != 0xFF || chip[a + 1] != 0x3F;
    EXPECT_EQ(notBlank, 0u);
}

TEST_F(GuiDeviceSwitch, RamRowsInsertTheirPartsAndAReopenedTesterStartsClean) {
    QWidget* socket = program.host().viewOf(*program.virtualSocket());
    ASSERT_NE(socket, nullptr);
    for (const char* type : {"HM62256", "HM6264", "W24257"}) {
        Choose(main, "TEST RAM", type[0] == 'H' ? "Hitachi" : "Winbond", type);
        EXPECT_EQ(socket->findChild<QLineEdit*>("InSocket")->text(), type);
    }
    QWidget* dialog = TopLevel("TDsRAM");
    ASSERT_NE(dialog, nullptr);
    socket->findChild<QAbstractButton*>("Remove")->click();
    EXPECT_EQ(Click(dialog, "Button3").rfind("Write failured!", 0), 0u);
    EXPECT_FALSE(dialog->findChild<QLineEdit*>("Edit6")->text().isEmpty());
    dialog->findChild<QAbstractButton*>("CancelBtn")->click();
    Choose(main, "TEST RAM", "Winbond", "W24257");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Message")->text(), "OK ");
    EXPECT_TRUE(dialog->findChild<QLineEdit*>("Edit6")->text().isEmpty());
}

} // namespace
