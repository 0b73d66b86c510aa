// A user's first session with the virtual box: select a 27C256, load a binary file,
// programme, verify, read the chip back into a cleared buffer and see the same bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "ProgramFixture.h"
#include <nlohmann/json.hpp>

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

TEST_F(ProgramTest, ProgrammeVerifyAndReadA27C256FromABinaryFileOnTheVirtualBox) {
    UseVirtualBox();
    auto program = Run(true);
    ASSERT_EQ(program->link().connected, 1);
    sim::VirtualSocket socket(opener.box(), fake->platform);

    TTypeDlg& types = program->typeDialog();
    types.SelectCategory(0);
    const int maker = RowOf(types.control("ListBox1"), "Intel");
    ASSERT_GE(maker, 0);
    types.SelectManufacturerRow(maker);
    const int type = RowOf(types.control("ListBox2"), "27C256");
    ASSERT_GE(type, 0);
    socket.deviceSelected("TP27x", 13);
    ASSERT_NE(socket.chip(), nullptr);
    types.ConfirmRow(type);
    ASSERT_EQ(types.selection().family, "P27");
    FamilyDialog* dialog = types.dispatcher().existing("TP27x");
    ASSERT_NE(dialog, nullptr);
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

} // namespace
} // namespace quarvin::test
