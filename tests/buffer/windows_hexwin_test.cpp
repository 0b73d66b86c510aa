// The hex window: dump lines, grey rows, caret tracking, byte entry and paging.
#include "windows_fixture.h"

namespace quarvin::test {
namespace {

using HexWindow = WindowsTest;

TEST_F(HexWindow, DumpLineLayout) {
    for (int i = 0; i < 16; ++i) buf[0x3FFFF0 + i] = static_cast<std::uint8_t>(0x20 + i);
    const std::string line = TFileWin::dumpLine(buf, 0x3FFFF0);
    EXPECT_EQ(line.size(), 73u);
    EXPECT_EQ(line.substr(0, 9), "3ffff0:  ");
    EXPECT_EQ(line.substr(9, 6), "20 21 ");
    EXPECT_EQ(line.substr(54, 3), "2f ");
    EXPECT_EQ(line.substr(57), ".!\"#$%&'()*+,-./");
    EXPECT_EQ(TFileWin::dumpLine(buf, 0x100).substr(0, 9), "   100:  ");
}

TEST_F(HexWindow, ShownCharacters) {
    const std::pair<int, char> cases[] = {{0x00, '.'}, {0x20, '.'}, {0x21, '!'}, {0x41, 'A'},
                                          {0x7E, '~'}, {0x7F, '.'}, {0x80, '.'}, {0xAC, '.'}};
    for (auto [b, c] : cases) EXPECT_EQ(TFileWin::shownChar(static_cast<std::uint8_t>(b)), c) << b;
}

TEST_F(HexWindow, GreyRowsStartPastTheEndAddress) {
    struct Case {
        std::int32_t end;
        int firstGrey; // 16 = none
    } cases[] = {{0x1F, 2}, {0x20, 3}, {0x0, 1}, {-1, 0}, {0xFFFF, 16}, {0xEF, 15}};
    TFileWin& w = hex();
    for (auto c : cases) {
        w.setEndAddress(c.end);
        w.Refresh();
        for (int row = 0; row < 16; ++row)
            EXPECT_EQ(markAt(w, row, 60), row < c.firstGrey ? CharMark::Normal : CharMark::Grey)
                << "end " << c.end << " row " << row;
    }
}

TEST_F(HexWindow, RefreshShowsFieldsAndPutsTheCaretOnTheFirstDigit) {
    TFileWin& w = hex();
    for (int i = 0; i < 4; ++i) buf[i] = static_cast<std::uint8_t>(i + 1);
    w.setEndAddress(3);
    w.setViewStartAddress(0x123);
    w.Refresh();
    EXPECT_EQ(field(w, "Edit2"), "       a");
    EXPECT_EQ(field(w, "Edit3"), "120");
    EXPECT_EQ(w.selectionStart(), 9);
    EXPECT_EQ(w.caretColumn(), 9);
    EXPECT_EQ(field(w, "Edit1"), "120 ");
    // Line L starts at 74 x L: a line break is one character.
    EXPECT_EQ(w.positionOf(3, 0), 3 * 74);
    EXPECT_EQ(w.textLength(), 16 * 74 - 1);
    EXPECT_EQ(w.text().substr(74, 9), "   130:  ");
}

TEST_F(HexWindow, CursorAddressFollowsTheCaret) {
    struct Case {
        int line, column;
        std::int32_t address;
    } cases[] = {{0, 0, 0x100},  {0, 9, 0x100},  {0, 10, 0x100}, {0, 11, 0x100}, {0, 12, 0x101},
                 {0, 54, 0x10F}, {0, 56, 0x10F}, {0, 57, 0x100}, {0, 72, 0x10F}, {0, 73, 0x100},
                 {2, 24, 0x125}, {15, 62, 0x1F5}};
    TFileWin& w = hex();
    w.setViewStartAddress(0x100);
    w.Refresh();
    for (auto c : cases) {
        caretAt(w, c.line, c.column);
        EXPECT_EQ(w.caretLine(), c.line);
        EXPECT_EQ(w.caretColumn(), c.column);
        EXPECT_EQ(w.cursorAddress(), c.address) << c.line << ":" << c.column;
    }
    caretAt(w, 2, 24);
    EXPECT_EQ(field(w, "Edit1"), "125 ");
}

TEST_F(HexWindow, TypingADigitEditsTheByteUnderTheCaret) {
    buf[0x105] = 0x3C;
    TFileWin& w = hex();
    w.setViewStartAddress(0x100);
    w.Refresh();
    caretAt(w, 0, 24); // first digit of "3c " at 0x105
    EXPECT_EQ(w.cursorAddress(), 0x105);
    w.keyPress('a');
    EXPECT_EQ(buf[0x105], 0xAC);
    EXPECT_EQ(w.lines()[0].substr(24, 2), "Ac");
    EXPECT_EQ(markAt(w, 0, 24), CharMark::Red);
    EXPECT_EQ(markAt(w, 0, 25), CharMark::Normal);
    EXPECT_EQ(w.lines()[0][62], '.');
    EXPECT_EQ(markAt(w, 0, 62), CharMark::Red);
    EXPECT_EQ(w.caretColumn(), 25);

    w.keyPress('1');
    EXPECT_EQ(buf[0x105], 0xA1);
    EXPECT_EQ(w.lines()[0].substr(24, 3), "A1 ");
    EXPECT_EQ(w.caretColumn(), 26);
    // On the blank after the byte the digit goes to the next byte's first digit.
    w.keyPress('4');
    EXPECT_EQ(buf[0x106], 0x4F);
    EXPECT_EQ(w.lines()[0][63], 'O');
    EXPECT_EQ(w.caretColumn(), 28);
    // Sum is left for the next refresh.
    EXPECT_EQ(field(w, "Edit2"), "  feff3d");
}

TEST_F(HexWindow, KeysThatChangeNothing) {
    struct Case {
        int column;
        char key;
    } cases[] = {{12, 'g'}, {12, ' '}, {12, 'G'}, {3, 'a'}, {8, '1'}, {56, 'a'}, {57, '1'}, {72, 'f'}};
    TFileWin& w = hex();
    const std::string before = w.text();
    for (auto c : cases) {
        w.OnSelectionChange(w.positionOf(1, c.column), 2);
        w.keyPress(c.key);
        EXPECT_EQ(w.text(), before) << c.column << c.key;
        EXPECT_EQ(w.selectionLength(), 0);
        EXPECT_EQ(w.caretColumn(), c.column);
    }
    for (std::uint32_t a = 0; a < 0x100; ++a) ASSERT_EQ(buf[a], 0xFF);
}

TEST_F(HexWindow, TheLastDigitOfARowCanBeTyped) {
    TFileWin& w = hex();
    caretAt(w, 15, 55);
    w.keyPress('0');
    EXPECT_EQ(buf[0xFF], 0xF0);
    EXPECT_EQ(w.caretColumn(), 56);
    w.keyPress('0'); // the blank after the last byte takes nothing
    EXPECT_EQ(buf[0x100], 0xFF);
}

TEST_F(HexWindow, PageCommands) {
    struct Case {
        const char* name;
        std::int32_t end, start;
        void (TFileWin::*command)();
        std::int32_t after;
    } cases[] = {
        {"Home", 0xFFFF, 0x500, &TFileWin::Home, 0},
        {"End", 0xFFFF, 0, &TFileWin::End, 0xFF00},
        {"End unaligned", 0x1234, 0, &TFileWin::End, 0x1130},
        {"End small", 0x1F, 0x300, &TFileWin::End, 0},
        {"End past buffer", 0x7FFFFFFF, 0, &TFileWin::End, 0x3FFF00},
        {"End negative", INT32_MIN, 0x100, &TFileWin::End, 0},
        {"PageDown", 0xFFFF, 0x100, &TFileWin::PageDown, 0x200},
        {"PageDown past end address", 0xFF, 0x100, &TFileWin::PageDown, 0x200},
        {"PageDown last page", 0xFFFF, 0x3FFF00, &TFileWin::PageDown, 0x3FFF00},
        {"PageUp at f0", 0xFFFF, 0xF0, &TFileWin::PageUp, 0xF0},
        {"PageUp at 100", 0xFFFF, 0x100, &TFileWin::PageUp, 0},
        {"PageUp at 110", 0xFFFF, 0x110, &TFileWin::PageUp, 0x10},
        {"Next", 0x1FF, 0, &TFileWin::NextPageButton, 0x100},
        {"Next at end", 0x1FF, 0x100, &TFileWin::NextPageButton, 0x100},
        {"Previous at f0", 0xFFFF, 0xF0, &TFileWin::PreviousPageButton, 0xF0},
        {"Previous at 200", 0xFFFF, 0x200, &TFileWin::PreviousPageButton, 0x100},
    };
    TFileWin& w = hex();
    for (auto& c : cases) {
        w.setEndAddress(c.end);
        w.setViewStartAddress(c.start);
        (w.*c.command)();
        EXPECT_EQ(w.viewStartAddress(), c.after) << c.name;
        EXPECT_EQ(w.lines()[0], TFileWin::dumpLine(buf, c.after)) << c.name;
        EXPECT_EQ(w.selectionStart(), 9) << c.name;
    }
}

TEST_F(HexWindow, StartField) {
    struct Case {
        const char* text;
        std::int32_t after;
    } cases[] = {{"123", 0x120}, {"zz", 0x120}, {"", 0x120}, {"3ffff8", 0x3FFF00},
                 {"400000", 0x3FFF00}, {"ffffffff", 0}, {"ABCD", 0xABC0}};
    TFileWin& w = hex();
    for (auto c : cases) {
        w.userSetText("Edit3", c.text);
        w.keyDown("Edit3", KeyEnter);
        EXPECT_EQ(w.viewStartAddress(), c.after) << c.text;
        EXPECT_EQ(w.lines()[0], TFileWin::dumpLine(buf, c.after)) << c.text;
    }
    w.userSetText("Edit3", "40");
    w.exitField("Edit3");
    EXPECT_EQ(w.viewStartAddress(), 0x40);
    EXPECT_EQ(field(w, "Edit3"), "40");
}

TEST_F(HexWindow, ScrollBarRedrawsWhenTheScrollEnds) {
    TFileWin& w = hex();
    EXPECT_EQ(w.control("ScrollBar1").maximum(), 0xFF);
    w.ScrollBarChange(3, false);
    EXPECT_EQ(field(w, "Edit3"), "300");
    EXPECT_TRUE(w.startFieldYellow());
    EXPECT_EQ(w.lines()[0].substr(0, 6), "     0");
    w.ScrollBarChange(4, true);
    EXPECT_FALSE(w.startFieldYellow());
    EXPECT_EQ(w.viewStartAddress(), 0x400);
    EXPECT_EQ(w.lines()[0].substr(0, 6), "   400");
    EXPECT_EQ(w.control("ScrollBar1").position(), 4);
    w.ScrollBarChange(0x7FFFFFFF, true);
    EXPECT_EQ(w.viewStartAddress(), 0x3FFF00);
}

TEST_F(HexWindow, ChecksumCoversZeroToEndAddress) {
    TFileWin& w = hex();
    struct Case {
        std::int32_t end;
        const char* sum;
    } cases[] = {{-1, "       0"}, {0, "      ff"}, {0xFFFF, "  ff0000"}, {0x3FFFFF, " ff00000"},
                 {0x7FFFFFFF, " ff00000"}};
    for (auto c : cases) {
        w.setEndAddress(c.end);
        w.Refresh();
        EXPECT_EQ(field(w, "Edit2"), c.sum) << c.end;
    }
}

} // namespace
} // namespace quarvin::test
