// Find, replace and print over the active window's text.
#include <cstring>

#include "buffer/FindReplace.h"
#include "testutil.h"

namespace quarvin::test {
namespace {

class FindReplaceTest : public WindowsTest {
protected:
    FindReplace fr{fake.prompts};
};

TEST_F(FindReplaceTest, FindWalksThroughThePageAndStartsAgainAfterNotFound) {
    buf[0xF0] = 0x12;
    TFileWin& w = hex();
    EXPECT_EQ(fr.OnFind(&w, "     0:"), 0); // a match at the very start counts
    EXPECT_EQ(fr.OnFind(&w, "ff ff"), 9);
    EXPECT_EQ(w.selectionLength(), 5);
    EXPECT_EQ(fr.OnFind(&w, "ff ff"), 15); // again continues after the match
    EXPECT_EQ(fr.searchStart(), 14);
    EXPECT_TRUE(fake.prompts.shown.empty());

    EXPECT_EQ(fr.OnFind(&w, "12"), w.positionOf(15, 9));
    EXPECT_EQ(fr.OnFind(&w, "12"), -1);
    EXPECT_EQ(w.selectionStart(), 0);
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Not find!"});
    EXPECT_EQ(fake.prompts.shown[0].title, " ");
    EXPECT_EQ(fake.prompts.beeps, 1);
    EXPECT_EQ(fr.OnFind(&w, "12"), w.positionOf(15, 9));
}

TEST_F(FindReplaceTest, OnlyThePageShownIsSearched) {
    std::memcpy(buf.data() + 0x1000, "QUARV", 5);
    TFileWin& w = hex();
    EXPECT_EQ(fr.OnFind(&w, "QUARV"), -1);
    EXPECT_EQ(fr.OnFind(&w, "FF"), -1); // case matters
    w.setSelection(80, 2);
    EXPECT_EQ(fr.OnRePlaceFind(&w, "QUARV"), -1);
    EXPECT_EQ(w.selectionStart(), 80); // the replace dialog keeps the caret
    EXPECT_EQ(fake.prompts.texts(), (std::vector<std::string>{"Not find!", "Not find!", "Not find"}));
    w.setViewStartAddress(0x1000);
    w.Refresh();
    EXPECT_EQ(fr.OnFind(&w, "QUARV"), 57);
}

TEST_F(FindReplaceTest, ReplaceStoresTheByteUnderTheCaret) {
    TFileWin& w = hex();
    struct Case { int line, column; const char* text; std::uint32_t address; std::uint8_t value; char shown; };
    const Case cases[] = {{0, 10, "4B", 0x00, 0x4B, 'K'}, {0, 11, "00", 0x00, 0x00, '.'}, {1, 12, "7e", 0x11, 0x7E, '~'},
                 {3, 56, "41", 0x3F, 0x41, 'A'}};
    for (auto c : cases) {
        w.Refresh();
        w.setSelection(w.positionOf(c.line, c.column), 0);
        EXPECT_TRUE(fr.OnRePlace(&w, c.text)) << c.text;
        EXPECT_EQ(buf[c.address], c.value) << c.text;
        const auto& line = w.lines()[static_cast<std::size_t>(c.line)];
        const int group = 9 + 3 * static_cast<int>(c.address % 16);
        EXPECT_EQ(line.substr(static_cast<std::size_t>(group), 3), std::string(c.text) + " ");
        EXPECT_EQ(line[57 + c.address % 16], c.shown);
        EXPECT_EQ(markAt(w, c.line, group), CharMark::Red);
    }
}

TEST_F(FindReplaceTest, ReplaceRefusals) {
    TFileWin& w = hex();
    const std::pair<int, const char*> cases[] = {{12, "abc"}, {12, "a"}, {12, "zz"}, {12, "1 "},
                                                 {3, "12"},   {8, "12"}, {57, "12"}, {70, "12"}};
    const std::string before = w.text();
    for (auto [column, text] : cases) {
        fake.prompts.shown.clear();
        w.setSelection(w.positionOf(2, column), 0);
        EXPECT_FALSE(fr.OnRePlace(&w, text));
        EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{column == 12 ? "Must be two BCD" : "Bad input"})
            << column << text;
    }
    EXPECT_EQ(w.text(), before);
    for (std::uint32_t a = 0; a < 0x100; ++a) ASSERT_EQ(buf[a], 0xFF);
    fr.FilePrint(nullptr, fake.printer);
    fr.FilePrint(&w, fake.printer); // print sends the window text
    ASSERT_EQ(fake.printer.printed.size(), 1u);
    EXPECT_EQ(fake.printer.printed[0].second, before);

    fake.prompts.shown.clear();
    EXPECT_FALSE(fr.OnRePlace(&docs.openPldWindow(), "01"));
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Bad input"});
    EXPECT_EQ(fr.OnFind(nullptr, "ff"), -1); // no active window: nothing happens
    EXPECT_FALSE(fr.OnRePlace(nullptr, "12"));
    EXPECT_EQ(fr.OnRePlaceAll(nullptr, "ff", "12"), 0);
}

TEST_F(FindReplaceTest, ReplaceAllCoversTheHexColumnsOfThePage) {
    buf[0x05] = 0x00;
    TFileWin& w = hex();
    EXPECT_EQ(fr.OnRePlaceAll(&w, "ff", "a5"), 255);
    for (std::uint32_t a = 0; a < 0x100; ++a) ASSERT_EQ(buf[a], a == 0x05 ? 0x00 : 0xA5) << a;
    EXPECT_EQ(buf[0x100], 0xFF);
    EXPECT_EQ(w.lines()[0].substr(9, 18), "a5 a5 a5 a5 a5 00 ");
    EXPECT_EQ(fr.OnRePlaceAll(&w, "ff", "a5"), 0);
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Not find"});
}

} // namespace
} // namespace quarvin::test
