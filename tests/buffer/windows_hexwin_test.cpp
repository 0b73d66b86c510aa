// The hex window: dump lines, grey rows, caret tracking, byte entry and paging.
#include "testutil.h"

namespace quarvin::test {
namespace {

using HexWindow = WindowsTest;

TEST_F(HexWindow, DumpLinesAndFields) {
    for (int i = 0; i < 16; ++i) buf[0x3FFFF0 + i] = static_cast<std::uint8_t>(i ? 0x70 + i : 0x20);
    EXPECT_EQ(TFileWin::dumpLine(buf, 0x3FFFF0),
              "3ffff0:  20 71 72 73 74 75 76 77 78 79 7a 7b 7c 7d 7e 7f .qrstuvwxyz{|}~.");
    EXPECT_EQ(TFileWin::shownChar(0x80), '.');
    TFileWin& w = hex(0x123);
    EXPECT_EQ(field(w, "Edit1"), "120 ");
    EXPECT_EQ(w.selectionStart(), 9); // the caret on the first digit
    EXPECT_EQ(w.text().substr(74, 9), "   130:  "); // a line break is one character
    EXPECT_EQ(w.textLength(), 16 * 74 - 1);
}

TEST_F(HexWindow, GreyRowsStartPastTheEndAddress) {
    const std::pair<std::int32_t, int> cases[] = {{0x1F, 2}, {0x20, 3}, {-1, 0}, {0xFFFF, 16}, {0xEF, 15}};
    TFileWin& w = hex();
    for (auto [end, firstGrey] : cases) {
        w.setEndAddress(end);
        w.Refresh();
        for (int row = 0; row < 16; ++row)
            EXPECT_EQ(markAt(w, row, 60), row < firstGrey ? CharMark::Normal : CharMark::Grey)
                << "end " << end << " row " << row;
    }
}

TEST_F(HexWindow, CursorAddressFollowsTheCaret) {
    struct Case { int line, column; std::int32_t address; } cases[] = {
        {0, 0, 0x100}, {0, 11, 0x100}, {0, 12, 0x101}, {0, 56, 0x10F}, {0, 57, 0x100},
        {0, 72, 0x10F}, {0, 73, 0x100}, {2, 24, 0x125}, {15, 62, 0x1F5}};
    TFileWin& w = hex(0x100);
    for (auto c : cases) {
        caretAt(w, c.line, c.column);
        EXPECT_EQ(w.cursorAddress(), c.address) << c.line << ":" << c.column;
        EXPECT_EQ(w.caretColumn(), c.column);
    }
    EXPECT_EQ(field(w, "Edit1"), "1f5 ");
}

TEST_F(HexWindow, TypingADigitEditsTheByteUnderTheCaret) {
    buf[0x105] = 0x3C;
    TFileWin& w = hex(0x100);
    caretAt(w, 0, 24); // first digit of "3c " at 0x105
    w.keyPress('a');
    EXPECT_EQ(buf[0x105], 0xAC);
    EXPECT_EQ(w.lines()[0].substr(24, 2), "Ac");
    EXPECT_EQ(markAt(w, 0, 24), CharMark::Red);
    EXPECT_EQ(markAt(w, 0, 25), CharMark::Normal);
    EXPECT_EQ(markAt(w, 0, 62), CharMark::Red);
    EXPECT_EQ(w.caretColumn(), 25);
    w.keyPress('1');
    EXPECT_EQ(w.lines()[0].substr(24, 3), "A1 ");
    // On the blank after the byte the digit goes to the next byte's first digit.
    w.keyPress('4');
    EXPECT_EQ(buf[0x106], 0x4F);
    EXPECT_EQ(w.lines()[0][63], 'O');
    EXPECT_EQ(w.caretColumn(), 28);
    EXPECT_EQ(field(w, "Edit2"), "  feff3d"); // the sum waits for the next refresh

    caretAt(w, 15, 55); // the last digit of a row
    w.keyPress('0');
    EXPECT_EQ(buf[0x1FF], 0xF0);
    w.keyPress('0'); // the blank after the last byte takes nothing
    EXPECT_EQ(buf[0x200], 0xFF);
}

TEST_F(HexWindow, KeysThatChangeNothing) {
    const std::pair<int, char> cases[] = {{12, 'g'}, {12, ' '}, {3, 'a'}, {8, '1'}, {56, 'a'}, {57, '1'}, {72, 'f'}};
    TFileWin& w = hex();
    const std::string before = w.text();
    for (auto [column, key] : cases) {
        w.OnSelectionChange(w.positionOf(1, column), 2);
        w.keyPress(key);
        EXPECT_EQ(w.text(), before) << column << key;
        EXPECT_EQ(w.selectionLength(), 0);
    }
    for (std::uint32_t a = 0; a < 0x100; ++a) ASSERT_EQ(buf[a], 0xFF);
}

TEST_F(HexWindow, PagingStopsAtTheEdges) {
    struct Case { const char* name; std::int32_t end, start; void (TFileWin::*command)(); std::int32_t after; };
    const Case cases[] = {
        {"Home", 0xFFFF, 0x500, &TFileWin::Home, 0},
        {"End unaligned", 0x1234, 0, &TFileWin::End, 0x1130},
        {"End past buffer", 0x7FFFFFFF, 0, &TFileWin::End, 0x3FFF00},
        {"End negative", INT32_MIN, 0x100, &TFileWin::End, 0},
        {"PageDown past end address", 0xFF, 0x100, &TFileWin::PageDown, 0x200},
        {"PageDown last page", 0xFFFF, 0x3FFF00, &TFileWin::PageDown, 0x3FFF00},
        {"PageUp at f0", 0xFFFF, 0xF0, &TFileWin::PageUp, 0xF0},
        {"PageUp at 110", 0xFFFF, 0x110, &TFileWin::PageUp, 0x10},
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
    }
    // Addresses beyond the buffer are refused: the page stays and the box says why.
    const struct { const char* text; std::int32_t after; const char* refusal; } starts[] = {
        {"123", 0x120, nullptr},
        {"zz", 0x120, nullptr},
        {"3fffff", 0x3FFF00, nullptr},
        {"400000", 0x3FFF00, "Start: 400000 is above 3fffff; kept 3fff00"},
        {"-1", 0x3FFF00, "Start: -1 is above 3fffff; kept 3fff00"},
    };
    for (const auto& s : starts) {
        fake.prompts.shown.clear();
        w.userSetText("Edit3", s.text);
        w.keyDown("Edit3", KeyEnter);
        EXPECT_EQ(w.viewStartAddress(), s.after) << s.text;
        EXPECT_EQ(fake.prompts.texts(), s.refusal ? std::vector<std::string>{s.refusal} : std::vector<std::string>{})
            << s.text;
    }
    w.ScrollBarChange(3, false); // while dragging only the field follows
    EXPECT_EQ(field(w, "Edit3"), "300");
    EXPECT_TRUE(w.startFieldYellow());
    w.ScrollBarChange(4, true);
    EXPECT_EQ(w.lines()[0].substr(0, 6), "   400");
    w.ScrollBarChange(0x7FFFFFFF, true);
    EXPECT_EQ(w.viewStartAddress(), 0x3FFF00);
}

TEST_F(HexWindow, ChecksumCoversZeroToEndAddress) {
    for (std::uint32_t a = 0; a < kBufferSize; ++a) buf[a] = static_cast<std::uint8_t>(a * 7 + (a >> 11));
    auto plain = [&](std::int64_t end) {
        std::uint32_t s = 0;
        for (std::int64_t a = 0; a <= end && a <= kBufferLast; ++a) s += buf[static_cast<std::uint32_t>(a)];
        return s;
    };
    // The sum runs several bytes at a time: ends on and off those steps.
    for (std::int64_t end : {-5ll, 0ll, 6ll, 7ll, 8ll, 1023ll, 1031ll, 0x12345ll, 0x3FFFFEll, 0x7FFFFFFFll})
        EXPECT_EQ(buf.checksum(end), end < 0 ? 0u : plain(end)) << end;

    buf.initialise();
    TFileWin& w = hex();
    const std::pair<std::int32_t, const char*> sums[] = {{-1, "       0"}, {0xFFFF, "  ff0000"},
                                                         {0x7FFFFFFF, " ff00000"}};
    for (auto [end, sum] : sums) {
        w.setEndAddress(end);
        w.Refresh();
        EXPECT_EQ(field(w, "Edit2"), sum) << end;
    }
}

TEST_F(HexWindow, TakesNoInputWhileAHandlerOfAnotherWindowRuns) {
    TFileWin& w = hex(0x100);
    caretAt(w, 0, TFileWin::kHexColumn);
    const std::string page = w.text();
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"digit", [&] { w.keyPress('A'); }},
        {"page key", [&] { w.keyDown("RichEdit1", KeyPageDown); }},
        {"start field", [&] { w.userSetText("Edit3", "0"), w.exitField("Edit3"); }},
        {"scroll bar", [&] { w.ScrollBarChange(7, true); }},
        {"pop-up fill", [&] { w.popupClick(0); }},
        {"close box", [&] { w.close(); }},
    };
    Form programming("TP27x", "P27", 10, 10);
    for (const auto& [name, action] : actions) {
        programming.add(ControlKind::Button, name).onClick = action;
        programming.click(name);
        EXPECT_EQ(w.text(), page) << name;
        EXPECT_EQ(buf[0x100], 0xFF) << name;
        EXPECT_EQ(w.viewStartAddress(), 0x100) << name;
        EXPECT_TRUE(w.visible()) << name;
        EXPECT_FALSE(docs.fillDialog().visible()) << name;
    }
    w.keyPress('A'); // and at rest the same key goes in
    EXPECT_EQ(buf[0x100], 0xAF);
}

} // namespace
} // namespace quarvin::test
