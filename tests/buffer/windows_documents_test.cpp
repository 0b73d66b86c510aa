// New, window creation and destruction, and the end address the hex window owns.
#include "windows_fixture.h"

namespace quarvin::test {
namespace {

using WindowsDocuments = WindowsTest;

TEST_F(WindowsDocuments, NewCreatesTheHexWindowOnTheFirstPage) {
    std::string reported;
    docs.onFileName = [&](const std::string& n) { reported = n; };
    docs.New();
    TFileWin* w = docs.hexWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(reported, "noname.bin");
    EXPECT_EQ(w->caption(), "noname.bin");
    EXPECT_TRUE(w->visible());
    EXPECT_EQ(docs.endAddress(), 0xFFFF);
    EXPECT_EQ(w->viewStartAddress(), 0);
    EXPECT_EQ(w->lines().size(), 16u);
    EXPECT_EQ(fake.windows.created, std::vector<std::string>{"TFileWin"});
}

TEST_F(WindowsDocuments, NewOnAnExistingHexWindowOnlyBringsItToFront) {
    TFileWin& w = hex();
    docs.setEndAddress(0x7FF);
    buf[0x10] = 0x42;
    int named = 0;
    docs.onFileName = [&](const std::string&) { ++named; };
    w.setCaption("data.hex");
    docs.New();
    EXPECT_EQ(docs.hexWindow(), &w);
    EXPECT_EQ(docs.endAddress(), 0x7FF);
    EXPECT_EQ(w.caption(), "data.hex");
    EXPECT_EQ(named, 0);
    EXPECT_EQ(buf[0x10], 0x42);
    EXPECT_EQ(fake.windows.created.size(), 1u);
}

TEST_F(WindowsDocuments, OnlyOneOfTheTwoWindowsExists) {
    hex();
    docs.openPldWindow();
    EXPECT_FALSE(docs.hasHexWindow());
    EXPECT_NE(docs.pldWindow(), nullptr);
    EXPECT_EQ(docs.activeWindow(), docs.pldWindow());
    EXPECT_EQ(fake.windows.destroyed, std::vector<std::string>{"TFileWin"});

    // Without a hex window the end-address calls do nothing.
    EXPECT_EQ(docs.endAddress(), -1);
    docs.setEndAddress(0x10);
    docs.refreshHexWindow();
    EXPECT_EQ(docs.endAddress(), -1);

    docs.New();
    EXPECT_EQ(docs.pldWindow(), nullptr);
    ASSERT_NE(docs.hexWindow(), nullptr);
    EXPECT_EQ(docs.activeWindow(), docs.hexWindow());
    EXPECT_EQ(docs.endAddress(), 0xFFFF);
    EXPECT_EQ(fake.windows.destroyed, (std::vector<std::string>{"TFileWin", "TPldFileW"}));
}

TEST_F(WindowsDocuments, ClosingTheHexWindowDropsTheEndAddressButNotTheData) {
    TFileWin& w = hex();
    docs.setEndAddress(0x7FF);
    buf[0x20] = 0x11;
    w.close();
    EXPECT_FALSE(docs.hasHexWindow());
    EXPECT_EQ(docs.hexWindow(), nullptr);
    EXPECT_EQ(docs.activeWindow(), nullptr);
    EXPECT_EQ(docs.endAddress(), -1);

    docs.New();
    EXPECT_EQ(fake.windows.destroyed, std::vector<std::string>{"TFileWin"});
    EXPECT_EQ(fake.windows.created.size(), 2u);
    EXPECT_EQ(docs.endAddress(), 0xFFFF);
    EXPECT_EQ(buf[0x20], 0x11);
}

TEST_F(WindowsDocuments, ClosingThePldWindowLeavesTheFuseMap) {
    TPldFileW& p = docs.openPldWindow();
    buf[5] = '1';
    p.close();
    EXPECT_EQ(docs.activeWindow(), nullptr);
    TFileWin& w = hex();
    EXPECT_EQ(w.lines()[0].substr(9, 18), "ff ff ff ff ff 31 ");
}

TEST_F(WindowsDocuments, FillCommandsNeedTheHexWindow) {
    docs.FillBuffer();
    docs.ChangeBufferSize();
    EXPECT_FALSE(docs.fillDialog().visible());

    TFileWin& w = hex();
    w.popupClick(1);
    EXPECT_TRUE(docs.fillDialog().visible());
    EXPECT_FALSE(docs.fillDialog().fillMode());
    w.popupClick(0);
    EXPECT_TRUE(docs.fillDialog().fillMode());
    EXPECT_EQ(std::count(fake.windows.created.begin(), fake.windows.created.end(), "TInputHexDlg"), 1);
}

TEST_F(WindowsDocuments, PldPopupItemsDoNotOpenTheFillDialog) {
    TPldFileW& p = docs.openPldWindow();
    p.popupClick(0);
    p.popupClick(1);
    EXPECT_FALSE(docs.fillDialog().visible());
}

} // namespace
} // namespace quarvin::test
