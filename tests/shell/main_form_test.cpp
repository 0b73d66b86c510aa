#include <gtest/gtest.h>

#include <set>

#include "shell/MainMenu.h"
#include "shell/TMainForm.h"
#include "support/FakePlatform.h"

using namespace quarvin;

namespace {

struct MainFormTest : ::testing::Test {
    test::FakePlatform fake;
    TMainForm form{fake.platform, "/tmp/prog/"};
};

} // namespace

TEST(MainMenu, EveryItemAndButtonRunsACommandTheWindowKnowsByName) {
    std::set<std::string> menus(MenuBarCaptions().begin(), MenuBarCaptions().end());
    std::set<std::string> commands;
    for (const auto& item : MainMenuItems()) {
        EXPECT_TRUE(menus.count(item.menu)) << item.caption;
        EXPECT_EQ(item.caption.empty(), item.command.empty()) << item.menu;  // only separators lack both
        if (!item.command.empty()) commands.insert(item.command);
    }
    int lastLeft = 0;
    for (const auto& b : ToolBarButtons()) {
        EXPECT_GT(b.left, lastLeft) << b.name;  // left to right
        lastLeft = b.left;
        commands.insert(b.command);
    }
    // Shortcuts the edit menu relies on.
    std::map<std::string, std::string> shortcuts;
    for (const auto& item : MainMenuItems())
        if (!item.shortcut.empty()) shortcuts[item.caption] = item.shortcut;
    EXPECT_EQ(shortcuts["&Change buffer size "], "Ctrl+E");
    EXPECT_EQ(shortcuts["&Find"], "Ctrl+F");
    EXPECT_EQ(shortcuts["&Replace"], "Ctrl+R");
    EXPECT_EQ(shortcuts["&Again"], "F3");
    EXPECT_EQ(shortcuts.size(), 4u);
    EXPECT_TRUE(commands.count("ProgClick"));
    EXPECT_TRUE(commands.count("SystemClick"));
}

TEST_F(MainFormTest, CaptionCarriesTheVersionAndOurAddress) {
    EXPECT_EQ(form.caption(), "QUARVINV5  Ver 5.37  for Win95/98/me/2000/xp  www.quarvin.com");
    EXPECT_EQ(form.control("Label2").text(), "Type");
    EXPECT_EQ(form.control("Label1").text(), "File:");
    EXPECT_EQ(form.control("ComboBox2").items().at(1), "FLASH&EEPROM  ");
    EXPECT_FALSE(form.control("StatusLine").enabled());
}

TEST_F(MainFormTest, CloseAndOpenTypeWindowRestoresTheListAt145Pixels) {
    EXPECT_EQ(form.typeWindowWidth(), 145);
    EXPECT_TRUE(form.run("CloseTypeClick"));
    EXPECT_EQ(form.typeWindowWidth(), 0);
    EXPECT_TRUE(form.run("OpenTypeClick"));
    EXPECT_EQ(form.typeWindowWidth(), 145);
    EXPECT_TRUE(form.control("Panel2").visible());
}

TEST_F(MainFormTest, TypeListConfirmsOnDoubleClickAndEnterOnly) {
    std::vector<int> confirmed;
    form.selection.confirmRow = [&](int row) { confirmed.push_back(row); };
    form.setTypeItems({"27C64", "27C128", "27C256"});
    form.setTypeRow(1);
    form.keyDown("ListBox1", KeyDown);
    form.keyDown("ListBox1", KeyUp);
    EXPECT_TRUE(confirmed.empty());
    form.keyDown("ListBox1", KeyEnter);
    form.control("ListBox1").setItemIndex(2);
    form.doubleClick("ListBox1");
    EXPECT_EQ(confirmed, (std::vector<int>{1, 2}));
    form.setTypeRow(7);  // beyond the list: no row
    form.doubleClick("ListBox1");
    EXPECT_EQ(confirmed.size(), 2u);
}

TEST_F(MainFormTest, StripBoxesForwardToTheSelectionDialog) {
    std::vector<int> categories, makers;
    form.selection.selectCategory = [&](int i) { categories.push_back(i); };
    form.selection.selectManufacturer = [&](int i) { makers.push_back(i); };
    form.userSetIndex("ComboBox2", 3);
    form.userSetIndex("ComboBox2", -1);  // nothing selected: item 0
    EXPECT_EQ(categories, (std::vector<int>{3, 0}));
    form.setManufacturerItems({"AMD", "ATMEL"});
    form.userSetIndex("ComboBox1", 1);
    EXPECT_EQ(form.control("ComboBox1").text(), "ATMEL");
    form.setManufacturerItems({});
    form.userSetIndex("ComboBox1", -1);  // empty box: nothing to forward
    EXPECT_EQ(makers, std::vector<int>{1});
}

TEST_F(MainFormTest, HelpSearchGreetsWithOurAddressAndStatusPanelsStayInRange) {
    form.run("HelpSearch");
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Welcom to:\nwww.quarvin.com"});
    form.setStatusPanel(2, "AMD");
    form.setStatusPanel(3, "27C256");
    form.setStatusPanel(4, "ignored");
    form.setStatusPanel(-1, "ignored");
    EXPECT_EQ(form.control("StatusLine").items(), (std::vector<std::string>{"", "", "AMD", "27C256"}));
}

TEST_F(MainFormTest, ExitRunsTheCloseHandlerOnceEvenFromTheMenu) {
    int closes = 0;
    form.onClose = [&] { ++closes; };
    form.show();
    EXPECT_TRUE(form.run("FileExit"));
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(form.run("NoSuchCommand"));
}
