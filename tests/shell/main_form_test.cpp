#include <gtest/gtest.h>

#include "shell/About.h"
#include "shell/TMainForm.h"
#include "support/FakePlatform.h"

using namespace quarvin;

namespace {

struct MainFormTest : ::testing::Test {
    test::FakePlatform fake;
    TMainForm form{fake.platform, "/tmp/prog/"};
};

} // namespace

TEST_F(MainFormTest, StripBoxesForwardToTheSelectionDialogExitClosesAndPanelsStayInRange) {
    std::vector<int> categories, makers;
    form.selection.selectCategory = [&](int i) { categories.push_back(i); };
    form.selection.selectManufacturer = [&](int i) { makers.push_back(i); };
    form.userSetIndex("ComboBox2", 3);
    form.userSetIndex("ComboBox2", -1);  // nothing selected: item 0
    form.setManufacturerItems({"AMD", "ATMEL"});
    form.userSetIndex("ComboBox1", 1);
    form.setManufacturerItems({});
    form.userSetIndex("ComboBox1", -1);  // empty box: nothing to forward
    EXPECT_EQ(categories, (std::vector<int>{3, 0}));
    EXPECT_EQ(makers, std::vector<int>{1});
    // Exit runs the close handler once; status panels stay in range.
    int closes = 0;
    form.onClose = [&] { ++closes; };
    form.show();
    EXPECT_TRUE(form.run("FileExit"));
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(form.run("NoSuchCommand"));
    form.setStatusPanel(2, "AMD");
    form.setStatusPanel(4, "ignored");
    form.setStatusPanel(-1, "ignored");
    EXPECT_EQ(form.control("StatusLine").items(), (std::vector<std::string>{"", "", "AMD", ""}));
}

TEST_F(MainFormTest, QuestionMarkAndHelpAboutShowTheVersionAndWhatTheProgramIs) {
    for (const char* command : {"HelpSearch", "HelpAbout"}) {
        fake.prompts.shown.clear();
        EXPECT_TRUE(form.run(command));
        ASSERT_EQ(fake.prompts.shown.size(), 1u) << command;
        const std::string& text = fake.prompts.shown[0].text;
        // The version is the build's, and the same as the main window's caption says.
        EXPECT_EQ(text.rfind("QUARVIN desktop " + ProgramVersion() + "\n", 0), 0u) << text;
        EXPECT_NE(form.caption().find("Ver " + ProjectVersion() + " "), std::string::npos) << form.caption();
        EXPECT_NE(text.find("universal device programmer"), std::string::npos) << text;
    }
}

TEST_F(MainFormTest, TheStatusHintSaysASingleClickOnlyHighlights) {
    form.setTypeItems({"27C256", "----- AMD -----", "27C512"});
    form.setCurrentTypeName("27C256");
    // Another type highlighted; the confirmed one; a separator row; nothing; then
    // a double click confirms the highlighted row; and back to the first.
    struct Case { int row; const char* confirmed; bool hint; } cases[] = {
        {2, nullptr, true}, {0, nullptr, false}, {1, nullptr, false}, {-1, nullptr, false}, {2, "27C512", false},
        {0, nullptr, true}};
    for (const Case& c : cases) {
        form.typeRowHighlighted(c.row);
        if (c.confirmed) form.setCurrentTypeName(c.confirmed);
        const std::string hint = form.control("StatusHint").text();
        EXPECT_EQ(!hint.empty(), c.hint) << c.row << ": " << hint;
        const auto& items = form.control("ListBox1").items();
        EXPECT_TRUE(!c.hint || hint.find(items[static_cast<std::size_t>(c.row)]) != std::string::npos) << hint;
    }
}
