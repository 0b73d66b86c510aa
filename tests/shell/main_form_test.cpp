#include <gtest/gtest.h>

#include "shell/TMainForm.h"
#include "support/FakePlatform.h"

using namespace quarvin;

namespace {

struct MainFormTest : ::testing::Test {
    test::FakePlatform fake;
    TMainForm form{fake.platform, "/tmp/prog/"};
};

} // namespace

TEST_F(MainFormTest, StripBoxesForwardToTheSelectionDialog) {
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
}

TEST_F(MainFormTest, ExitRunsTheCloseHandlerOnceAndStatusPanelsStayInRange) {
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
