// A GAL16V8B and a GAL22V10 through the real windows on the virtual box: pick the
// part, load a JEDEC design into the PLD window, erase, programme and verify it
// in the family dialog and read it back; the socket window's own fuse map and
// bulk erase are checked on its model (virtual_socket_test).
#include "OnTheVirtualBox.h"
#include "buffer/DifferencesWindow.h"
#include "buffer/Documents.h"
#include "buffer/FileCommands.h"
#include "GuiChoose.h"
#include "families/PldTestFiles.h"
#include "shell/Program.h"
#include "sim/VirtualSocket.h"

using namespace quarvin;
using quarvin::guitest::Choose;
using quarvin::guitest::TopLevel;

namespace {

using GuiPldSession = guitest::OnTheVirtualBox;

TEST_F(GuiPldSession, DesignsAreProgrammedVerifiedAndReadBackThroughTheWindows) {
    struct Part { const char *type, *dialog, *file; } parts[] = {
        {"GAL16V8B", "TGALx", "gal16v8_reg.jed"}, {"GAL22V10", "TP22V10x", "gal22v10_reg.jed"}};
    for (const Part& p : parts) {
        SCOPED_TRACE(p.type);
        Choose(main, "GAL", "Lattice", p.type);
        EXPECT_EQ(program.virtualSocket()->control("InSocket").text(), p.type);
        QWidget* dialog = TopLevel(p.dialog);
        ASSERT_NE(dialog, nullptr);
        const auto click = [&](const char* button) { return guitest::Click(dialog, button, "Msg"); };

        // The design goes into the PLD window the dialog opened.
        const std::string design = test::PldFile(p.file);
        ASSERT_TRUE(program.program().fileCommands().ReloadDataFile(design));
        const test::ParsedJedec expected = test::ParseJedecText(test::ReadText(design));
        MainBuffer& buffer = program.program().buffer();
        const auto matchesDesign = [&] {
            for (std::size_t n = 0; n < expected.fuses.size(); ++n)
                if (buffer[static_cast<std::uint32_t>(n)] != '0' + expected.fuses[n]) return false;
            return true;
        };
        ASSERT_TRUE(matchesDesign());

        EXPECT_EQ(click("Erase"), "OK");
        EXPECT_EQ(click("Write"), "OK");
        EXPECT_EQ(click("Verify"), "Verify OK");

        // One fuse changed in the map: Verify fails and the Differences window
        // names that fuse with the map's value and the part's.
        const char flipped = buffer[5] == '0' ? '1' : '0';
        buffer[5] = static_cast<std::uint8_t>(flipped);
        EXPECT_NE(click("Verify"), "Verify OK");
        DifferencesWindow* differences = program.program().documents().differencesWindow();
        ASSERT_NE(differences, nullptr);
        char line[32];
        std::snprintf(line, sizeof line, "  000005  %02X  %02X\n", flipped, '0' + expected.fuses[5]);
        EXPECT_NE(differences->listing().find(line), std::string::npos) << differences->listing();
        EXPECT_EQ(buffer[5], flipped) << "the re-read puts the map back";
        buffer[5] = static_cast<std::uint8_t>('0' + expected.fuses[5]);

        // The part in the socket holds the design.
        QApplication::processEvents();
        const auto& cells = program.virtualSocket()->chip()->memory();
        ASSERT_EQ(cells.size(), expected.fuses.size());
        EXPECT_TRUE(std::equal(cells.begin(), cells.end(), expected.fuses.begin()));

        std::fill(buffer.data(), buffer.data() + 6000, '0');
        EXPECT_EQ(click("Read1"), "Finished");
        EXPECT_TRUE(matchesDesign());

        dialog->findChild<QAbstractButton*>("CancelBtn")->click();
        QApplication::processEvents();
    }
}

} // namespace
