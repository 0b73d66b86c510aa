// A user's session with the virtual box: select a 27C256, programme, verify, read
// the chip back into a cleared buffer, each button leaving its run log line; then
// a Verify that fails lists every difference in its window.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "ProgramFixture.h"
#include <nlohmann/json.hpp>

#include "buffer/DifferencesWindow.h"
#include "buffer/Documents.h"
#include "buffer/RomHash.h"
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

TEST_F(ProgramTest, A27C256IsProgrammedVerifiedAndReadAndAFailedVerifyListsTheDifferences) {
    auto program = RunOnVirtualBox();
    ASSERT_EQ(program->link().connected, 1);
    sim::VirtualSocket socket(opener.box(), fake->platform);
    TTypeDlg& types = program->typeDialog();
    types.SelectCategory(0);
    types.SelectManufacturerRow(RowOf(types.control("ListBox1"), "Intel"));
    socket.deviceSelected("TP27x", 13);
    types.ConfirmRow(RowOf(types.control("ListBox2"), "27C256"));
    FamilyDialog* dialog = types.dispatcher().existing("TP27x");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->caption(), "0 to 7fff");

    MainBuffer& buffer = program->buffer();
    std::mt19937 rng(27256);
    for (std::uint32_t a = 0; a < 0x8000; ++a) buffer[a] = static_cast<std::uint8_t>(rng());
    const std::vector<std::uint8_t> image(buffer.data(), buffer.data() + 0x8000);
    auto message = [&] { return dialog->control("Message").text(); };
    dialog->click("Write");
    EXPECT_EQ(message(), "OK!");
    dialog->click("Verify");
    EXPECT_EQ(message(), "Verify OK");
    EXPECT_EQ(program->documents().differencesWindow(), nullptr) << "a Verify that passes lists nothing";
    std::fill_n(buffer.data(), image.size(), 0x00);
    dialog->click("ReadButton");
    EXPECT_EQ(message(), "OK!");
    EXPECT_TRUE(std::equal(image.begin(), image.end(), buffer.data()));
    EXPECT_LE(fake->prompts.shown.size(), 1u) << "only the start question is expected";

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

    // Two runs differ: 0x0120..0x0122 and a long one at the end, 150 bytes in all.
    for (std::uint32_t a : {0x0120u, 0x0121u, 0x0122u}) buffer[a] ^= 0x01;
    for (std::uint32_t a = 0x8000 - 147; a < 0x8000; ++a) buffer[a] ^= 0x01;
    const std::vector<std::uint8_t> wanted(buffer.data(), buffer.data() + 0x8000);
    dialog->click("Verify");
    const std::string failure = message();
    EXPECT_NE(failure.find("120"), std::string::npos) << failure;
    DifferencesWindow* window = program->documents().differencesWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->visible());
    auto line = [&](std::uint32_t a) {
        char text[32];
        std::snprintf(text, sizeof text, "  %06X  %02X  %02X\n", a, wanted[a], image[a]);
        return std::string(text);
    };
    const std::string head = "Address  buffer  chip\n000120-000122, 3 bytes\n" + line(0x120) + line(0x121) +
                             line(0x122) + "007F6D-007FCD, 97 bytes\n" + line(0x7F6D);
    EXPECT_EQ(window->listing().rfind(head, 0), 0u) << window->listing();
    EXPECT_NE(window->listing().find(line(0x7FCD) + "150 bytes differ in 2 runs; the first 100 are listed.\n"),
              std::string::npos);
    // The chip's re-read left the buffer, Message and the progress as Verify left
    // them (its last progress point, not the read's end).
    EXPECT_TRUE(std::equal(wanted.begin(), wanted.end(), buffer.data()));
    EXPECT_EQ(message(), failure);
    EXPECT_EQ(dialog->control("Edit6").text(), "000000");
}

} // namespace
} // namespace quarvin::test
