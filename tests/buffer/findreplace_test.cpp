// Find, replace and print over the active window's text.
#include <cstring>

#include "buffer/FindReplace.h"
#include "windows_fixture.h"

namespace quarvin::test {
namespace {

class FindReplaceTest : public WindowsTest {
protected:
    FindReplace fr{fake.prompts};
};

TEST_F(FindReplaceTest, FindAndAgainWalkThroughThePage) {
    TFileWin& w = hex();
    EXPECT_EQ(fr.OnFind(&w, "ff ff"), 9);
    EXPECT_EQ(w.selectionStart(), 9);
    EXPECT_EQ(w.selectionLength(), 5);
    // Again continues after the match.
    EXPECT_EQ(fr.OnFind(&w, "ff ff"), 15);
    EXPECT_EQ(fr.searchStart(), 14);
    EXPECT_EQ(fr.searchLength(), w.textLength() - 14);
    EXPECT_TRUE(fake.prompts.shown.empty());
}

TEST_F(FindReplaceTest, NotFoundOnThisPage) {
    TFileWin& w = hex();
    std::memcpy(buf.data() + 0x1000, "QUARV", 5);
    struct Case {
        const char* text;
    } cases[] = {{"QUARV"}, {"FF"}, {"ff  ff"}};
    for (auto c : cases) {
        w.OnSelectionChange(100, 3);
        EXPECT_EQ(fr.OnFind(&w, c.text), -1) << c.text;
        EXPECT_EQ(fr.foundPosition(), -1);
        EXPECT_EQ(w.selectionStart(), 0);
        EXPECT_EQ(w.selectionLength(), 0);
    }
    ASSERT_EQ(fake.prompts.shown.size(), 3u);
    EXPECT_EQ(fake.prompts.shown[0].text, "Not find!");
    EXPECT_EQ(fake.prompts.shown[0].title, " ");
    EXPECT_EQ(fake.prompts.beeps, 3);
    // After the page is moved there, the text is found.
    w.setViewStartAddress(0x1000);
    w.Refresh();
    EXPECT_EQ(fr.OnFind(&w, "QUARV"), 57);
}

TEST_F(FindReplaceTest, AgainAfterNotFoundStartsFromTheTop) {
    TFileWin& w = hex();
    buf[0xF0] = 0x12;
    w.Refresh();
    EXPECT_EQ(fr.OnFind(&w, "12"), w.positionOf(15, 9));
    EXPECT_EQ(fr.OnFind(&w, "12"), -1);
    EXPECT_EQ(fr.OnFind(&w, "12"), w.positionOf(15, 9));
}

TEST_F(FindReplaceTest, MatchAtTextPositionZero) {
    TFileWin& w = hex();
    EXPECT_EQ(fr.OnFind(&w, "     0:"), 0);
    w.setSelection(0, 0);
    EXPECT_EQ(fr.OnRePlaceFind(&w, "     0:"), 0);
}

TEST_F(FindReplaceTest, ReplaceDialogFindKeepsTheCaret) {
    TFileWin& w = hex();
    w.setSelection(80, 2);
    EXPECT_EQ(fr.OnRePlaceFind(&w, "xyz"), -1);
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Not find"});
    EXPECT_EQ(fake.prompts.beeps, 1);
    EXPECT_EQ(w.selectionStart(), 80);
}

TEST_F(FindReplaceTest, ReplaceStoresTheByteUnderTheCaret) {
    TFileWin& w = hex();
    struct Case {
        int line, column;
        const char* text;
        std::uint32_t address;
        std::uint8_t value;
        char shown;
    } cases[] = {{0, 9, "5a", 0x00, 0x5A, 'Z'},  {0, 10, "4B", 0x00, 0x4B, 'K'}, {0, 11, "00", 0x00, 0x00, '.'},
                 {1, 12, "7e", 0x11, 0x7E, '~'}, {3, 56, "41", 0x3F, 0x41, 'A'}};
    for (auto c : cases) {
        w.Refresh();
        w.setSelection(w.positionOf(c.line, c.column), 0);
        EXPECT_TRUE(fr.OnRePlace(&w, c.text)) << c.text;
        EXPECT_EQ(buf[c.address], c.value) << c.text;
        const int group = 9 + 3 * static_cast<int>(c.address % 16);
        EXPECT_EQ(w.lines()[static_cast<std::size_t>(c.line)].substr(static_cast<std::size_t>(group), 3),
                  std::string(c.text) + " ");
        EXPECT_EQ(w.lines()[static_cast<std::size_t>(c.line)][57 + c.address % 16], c.shown);
        EXPECT_EQ(markAt(w, c.line, group), CharMark::Red);
        EXPECT_EQ(w.selectionStart(), w.positionOf(c.line, c.column));
    }
    EXPECT_TRUE(fake.prompts.shown.empty());
}

TEST_F(FindReplaceTest, ReplaceRefusals) {
    TFileWin& w = hex();
    struct Case {
        int column;
        const char* text;
        const char* message;
    } cases[] = {{12, "abc", "Must be two BCD"}, {12, "a", "Must be two BCD"}, {12, "", "Must be two BCD"},
                 {12, "zz", "Must be two BCD"},  {12, "1 ", "Must be two BCD"}, {3, "12", "Bad input"},
                 {8, "12", "Bad input"},         {57, "12", "Bad input"},      {70, "12", "Bad input"}};
    const std::string before = w.text();
    for (auto c : cases) {
        fake.prompts.shown.clear();
        w.setSelection(w.positionOf(2, c.column), 0);
        EXPECT_FALSE(fr.OnRePlace(&w, c.text)) << c.text;
        EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{c.message}) << c.column << c.text;
        EXPECT_EQ(fake.prompts.shown[0].title, " ");
    }
    EXPECT_EQ(w.text(), before);
    for (std::uint32_t a = 0; a < 0x100; ++a) ASSERT_EQ(buf[a], 0xFF);

    TPldFileW& p = docs.openPldWindow();
    fake.prompts.shown.clear();
    EXPECT_FALSE(fr.OnRePlace(&p, "01"));
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Bad input"});
}

TEST_F(FindReplaceTest, NoActiveWindowDoesNothing) {
    EXPECT_EQ(fr.OnFind(nullptr, "ff"), -1);
    EXPECT_EQ(fr.OnRePlaceFind(nullptr, "ff"), -1);
    EXPECT_FALSE(fr.OnRePlace(nullptr, "12"));
    EXPECT_EQ(fr.OnRePlaceAll(nullptr, "ff", "12"), 0);
    fr.FilePrint(nullptr, fake.printer);
    EXPECT_TRUE(fake.prompts.shown.empty());
    EXPECT_TRUE(fake.printer.printed.empty());
}

TEST_F(FindReplaceTest, ReplaceAllCoversTheHexColumnsOfThePage) {
    TFileWin& w = hex();
    buf[0x05] = 0x00;
    buf[0x30] = 0xFE;
    w.Refresh();
    EXPECT_EQ(fr.OnRePlaceAll(&w, "ff", "a5"), 254);
    for (std::uint32_t a = 0; a < 0x100; ++a)
        EXPECT_EQ(buf[a], a == 0x05 ? 0x00 : a == 0x30 ? 0xFE : 0xA5) << a;
    EXPECT_EQ(buf[0x100], 0xFF);
    EXPECT_EQ(w.lines()[0].substr(9, 18), "a5 a5 a5 a5 a5 00 ");
    EXPECT_EQ(fr.OnRePlaceAll(&w, "ff", "a5"), 0);
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Not find"});
}

TEST_F(FindReplaceTest, PrintSendsTheWindowText) {
    TFileWin& w = hex();
    fr.FilePrint(&w, fake.printer);
    ASSERT_EQ(fake.printer.printed.size(), 1u);
    EXPECT_EQ(fake.printer.printed[0].first, "");
    EXPECT_EQ(fake.printer.printed[0].second, w.text());
    EXPECT_EQ(fake.printer.printed[0].second.substr(0, 9), "     0:  ");

    TPldFileW& p = docs.openPldWindow();
    p.Refresh();
    fr.FilePrint(&p, fake.printer);
    ASSERT_EQ(fake.printer.printed.size(), 2u);
    EXPECT_EQ(fake.printer.printed[1].second.substr(0, 6), "L0000 ");
}

} // namespace
} // namespace quarvin::test
