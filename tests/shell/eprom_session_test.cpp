// A user's first session with the virtual box: select a 27C256, load a binary file,
// programme, verify, read the chip back into a cleared buffer and see the same bytes;
// a Verify that fails lists every difference in its window.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "ProgramFixture.h"
#include <nlohmann/json.hpp>

#include "buffer/DifferencesWindow.h"
#include "buffer/Documents.h"
#include "buffer/FileCommands.h"
#include "buffer/RomHash.h"
#include "buffer/TFileFormat.h"
#include "catalogue/TTypeDlg.h"
#include "families/framework/FamilyDialog.h"
#include "sim/VirtualSocket.h"

namespace quarvin::test {
namespace {

int RowOf(const Control& list, const std::string& text) {
    const auto& items = list.items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].find(text) != std::string::npos) return static_cast<int>(i);
    return -1;
}

// Intel's 27C256 chosen in the selection lists, with a blank part in the
// virtual socket; its dialog, or nullptr when something was not found.
FamilyDialog* Select27C256(Program& program, sim::VirtualSocket& socket) {
    TTypeDlg& types = program.typeDialog();
    types.SelectCategory(0);
    const int maker = RowOf(types.control("ListBox1"), "Intel");
    EXPECT_GE(maker, 0);
    types.SelectManufacturerRow(maker);
    const int type = RowOf(types.control("ListBox2"), "27C256");
    EXPECT_GE(type, 0);
    socket.deviceSelected("TP27x", 13);
    EXPECT_NE(socket.chip(), nullptr);
    types.ConfirmRow(type);
    EXPECT_EQ(types.selection().family, "P27");
    return types.dispatcher().existing("TP27x");
}

// The program on the virtual box with Intel's 27C256 chosen and its dialog open.
class EpromSession : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        program = RunOnVirtualBox();
        ASSERT_EQ(program->link().connected, 1);
        socket = std::make_unique<sim::VirtualSocket>(opener.box(), fake->platform);
        dialog = Select27C256(*program, *socket);
        ASSERT_NE(dialog, nullptr);
    }
    std::unique_ptr<Program> program;
    std::unique_ptr<sim::VirtualSocket> socket;
    FamilyDialog* dialog = nullptr;
};

TEST_F(EpromSession, ProgrammeVerifyAndReadA27C256FromABinaryFileOnTheVirtualBox) {
    EXPECT_EQ(dialog->caption(), "0 to 7fff");

    std::vector<std::uint8_t> image(0x8000);
    std::mt19937 rng(27256);
    for (auto& b : image) b = static_cast<std::uint8_t>(rng());
    const std::string path = dir + "image.bin";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), image.size());
    fake->files.openNames.push_back(path);
    fake->windows.modalScripts["TFileFormat"] = [](Form& f) {
        EXPECT_EQ(f.control("RadioGroup1").itemIndex(), TFileFormat::FormatBin);
        f.click("OKBtn");
        return f.modalResult();
    };
    program->fileCommands().LoadFileClick();
    ASSERT_TRUE(std::equal(image.begin(), image.end(), program->buffer().data()));

    dialog->click("Write");
    EXPECT_EQ(dialog->control("Message").text(), "OK!");
    dialog->click("Verify");
    EXPECT_EQ(dialog->control("Message").text(), "Verify OK");

    std::fill_n(program->buffer().data(), image.size(), 0x00);
    dialog->click("ReadButton");
    EXPECT_EQ(dialog->control("Message").text(), "OK!");
    EXPECT_TRUE(std::equal(image.begin(), image.end(), program->buffer().data()));
    EXPECT_TRUE(fake->prompts.shown.size() <= 1) << "only the start question is expected";

    // Each button left its line in the program directory's run log, with the CRC-32
    // of the range it wrote or read.
    std::ifstream log(dir + "quarvin.log");
    std::vector<std::string> entries;
    for (std::string line; std::getline(log, line);) {
        const nlohmann::json j = nlohmann::json::parse(line);
        EXPECT_EQ(j["port"], "VBOX");
        EXPECT_EQ(j["device"], "27C256");
        EXPECT_EQ(j["crc32"], romHash(RomHashKind::Crc32, image.data(), image.size()));
        entries.push_back(j["op"].get<std::string>() + " " + j["result"].get<std::string>() + " " +
                          j["message"].get<std::string>());
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"program ok OK!", "verify ok Verify OK", "read ok OK!"}));
}

// After a Verify failed in the window, the "Differences" window lists every
// address where the chip differs from the buffer, with both values, in runs, up
// to the listing's maximum and with the total, as quarvin-cli compare does; the
// buffer stays as it was and Message keeps the Verify's failure.
TEST_F(EpromSession, AFailedVerifyListsEveryDifferenceInItsWindow) {

    MainBuffer& buffer = program->buffer();
    std::mt19937 rng(28);
    for (std::uint32_t a = 0; a < 0x8000; ++a) buffer[a] = static_cast<std::uint8_t>(rng() | 0x01);
    dialog->click("Write");
    ASSERT_EQ(dialog->control("Message").text(), "OK!");
    dialog->click("Verify");
    ASSERT_EQ(dialog->control("Message").text(), "Verify OK");
    EXPECT_EQ(program->documents().differencesWindow(), nullptr) << "a Verify that passes lists nothing";

    // Two runs: 0x0120..0x0122 and a long one at the end, 150 bytes in all.
    std::vector<std::uint8_t> chip(buffer.data(), buffer.data() + 0x8000);
    for (std::uint32_t a : {0x0120u, 0x0121u, 0x0122u}) buffer[a] = static_cast<std::uint8_t>(buffer[a] ^ 0x01);
    for (std::uint32_t a = 0x8000 - 147; a < 0x8000; ++a) buffer[a] = static_cast<std::uint8_t>(buffer[a] ^ 0x01);
    const std::vector<std::uint8_t> wanted(buffer.data(), buffer.data() + 0x8000);
    dialog->click("Verify");
    const std::string failure = dialog->control("Message").text();
    EXPECT_NE(failure.find("120"), std::string::npos) << failure;

    DifferencesWindow* window = program->documents().differencesWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->visible());
    EXPECT_EQ(window->caption(), "Differences");
    const std::string listing = window->listing();
    auto line = [&](std::uint32_t a) {
        char text[32];
        std::snprintf(text, sizeof text, "  %06X  %02X  %02X\n", a, wanted[a], chip[a]);
        return std::string(text);
    };
    const std::string head = "Address  buffer  chip\n000120-000122, 3 bytes\n" + line(0x120) + line(0x121) +
                             line(0x122) + "007F6D-007FCD, 97 bytes\n" + line(0x7F6D);
    EXPECT_EQ(listing.rfind(head, 0), 0u) << listing;
    EXPECT_NE(listing.find(line(0x7FCD) + "150 bytes differ in 2 runs; the first 100 are listed.\n"), std::string::npos)
        << listing;

    // The re-read left the buffer, Message and the progress as Verify left them
    // (its last progress point, not the read's end).
    EXPECT_TRUE(std::equal(wanted.begin(), wanted.end(), buffer.data()));
    EXPECT_EQ(dialog->control("Message").text(), failure);
    EXPECT_EQ(dialog->control("Edit6").text(), "000000");
}

} // namespace
} // namespace quarvin::test
