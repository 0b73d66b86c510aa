// The documents over the buffer, the fill dialog, the PLD and hex windows, and
// find, replace and print over the active window's text.
#include <array>
#include <cstring>

#include "buffer/FindReplace.h"
#include "testutil.h"

namespace quarvin::test {
namespace {

using WindowsDocuments = WindowsTest;

TEST_F(WindowsDocuments, OnlyOneOfTheTwoWindowsExistsAndClosingKeepsTheData) {
    TFileWin& w = hex();
    docs.setEndAddress(0x7FF);
    buf[0x20] = 0x11;
    docs.New(); // only brings the window to the front
    EXPECT_EQ(docs.hexWindow(), &w);
    EXPECT_EQ(docs.endAddress(), 0x7FF);

    docs.openPldWindow();
    EXPECT_FALSE(docs.hasHexWindow());
    EXPECT_EQ(docs.activeWindow(), docs.pldWindow());
    docs.setEndAddress(0x10); // without a hex window: no end address
    EXPECT_EQ(docs.endAddress(), -1);
    docs.pldWindow()->close();
    EXPECT_EQ(docs.activeWindow(), nullptr);
    EXPECT_EQ(hex().lines()[2].substr(9, 3), "11 ");
    EXPECT_EQ(docs.endAddress(), 0xFFFF);
    EXPECT_EQ(fake.windows.destroyed, (std::vector<std::string>{"TFileWin", "TPldFileW"}));
    docs.hexWindow()->close();
    EXPECT_EQ(docs.endAddress(), -1);
}

class FillDialog : public WindowsTest {
protected:
    void run(bool fill, const char* start, const char* end, const char* data) {
        TInputHexDlg& d = docs.fillDialog();
        fill ? docs.FillBuffer() : docs.ChangeBufferSize();
        if (fill) d.userSetText("Edit1", start);
        d.userSetText("Edit2", end);
        if (fill) d.userSetText("Edit3", data);
        d.click("OKBtn");
    }
};

TEST_F(FillDialog, NeedsTheHexWindowThenFillsAndSizes) {
    TInputHexDlg& d = docs.fillDialog();
    docs.FillBuffer();
    EXPECT_FALSE(d.visible());
    for (int item : {1, 0}) { // the popup's size and fill items
        hex().popupClick(item);
        EXPECT_TRUE(d.visible() && d.control("Edit2").enabled());
        for (const char* n : {"Edit1", "Edit3", "Label2", "Label4"}) EXPECT_EQ(d.control(n).enabled(), item == 0) << n;
    }
    d.click("CancelBtn");
    EXPECT_FALSE(d.visible());
    EXPECT_EQ(buf[0], 0xFF);
    struct Case { const char* name; bool fill; const char *start, *end, *data; std::int32_t endAfter;
                  std::uint32_t first, last; std::uint8_t value; } // filled range, first > last for none
    cases[] = {
        {"fill", true, "10", "1f", "5a", 0x1F, 0x10, 0x1F, 0x5A},
        {"size capped", false, "", "200000", "", 0xFFFFF, 1, 0, 0},
        {"start above end", true, "20", "10", "00", 0x10, 1, 0, 0},
        {"fill capped", true, "ffff0", "3fffff", "33", 0xFFFFF, 0xFFFF0, 0xFFFFF, 0x33},
    };
    for (auto& c : cases) {
        buf.initialise();
        docs.New();
        run(c.fill, c.start, c.end, c.data);
        EXPECT_EQ(docs.endAddress(), c.endAfter) << c.name;
        for (std::uint32_t a : {0u, 3u, 4u, 0xFu, 0x10u, 0x1Fu, 0x20u, 0xFFFEFu, 0xFFFF0u, 0xFFFFFu, 0x100000u}) {
            const std::uint8_t initial = a < 0x100000 ? 0xFF : 0;
            const bool filled = c.first <= c.last && a >= c.first && a <= c.last;
            EXPECT_EQ(buf[a], filled ? c.value : initial) << c.name << " at " << a;
        }
    }
    EXPECT_EQ(field(*docs.hexWindow(), "Edit2"), " feff340"); // refreshed: 0xFFFF0 x 0xFF + 16 x 0x33
    // Text that does not parse keeps the value before: start 0xFFFF0, data 0x33.
    buf.initialise();
    run(true, "zz", "ffff1", "zz");
    EXPECT_EQ(buf[0xFFFF1], 0x33);
    EXPECT_EQ(buf[0xFFFEF], 0xFF);
}

TEST_F(FillDialog, ValuesAFieldCannotHoldAreRefusedAndNothingIsDone) {
    docs.New();
    run(true, "10", "1f", "5a");
    const struct { const char* edit; const char* text; const char* refusal; const char* shownBack; } cases[] = {
        {"Edit3", "1ab", "Data: 1ab is above ff; kept 5a", "5a"},
        {"Edit1", "-10", "Start: -10 is above 3fffff; kept 10", "10"},
        {"Edit2", "100000000", "End: 100000000 has more than 8 hex digits; kept 1f", "1f"},
    };
    TInputHexDlg& d = docs.fillDialog();
    for (const auto& c : cases) {
        fake.prompts.shown.clear();
        docs.FillBuffer();
        d.userSetText("Edit1", "0");
        d.userSetText(c.edit, c.text);
        d.click("OKBtn");
        EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{c.refusal}) << c.text;
        EXPECT_EQ(d.control(c.edit).text(), c.shownBack) << c.text;
        EXPECT_TRUE(d.visible()) << c.text;
        EXPECT_EQ(buf[0], 0xFF) << c.text;
        EXPECT_EQ(docs.endAddress(), 0x1F) << c.text;
    }
}

class PldWindow : public WindowsTest {
protected:
    PldWindow() { std::fill(buf.data(), buf.data() + 6000, '0'); }
    TPldFileW& pld(int perRow = 32, int rows = 64) {
        TPldFileW& p = docs.openPldWindow();
        p.setGeometry(perRow, rows);
        p.Refresh();
        return p;
    }
};

TEST_F(PldWindow, FuseLinesAndTheChecksumOfEightFusesToAByte) {
    buf[33] = '1';
    buf[34] = 0x03; // a fuse shows its lowest bit
    TPldFileW& p = pld(44, 88);
    EXPECT_EQ(p.lines().size(), 93u);
    EXPECT_EQ(p.lines().back(), "L4048 " + std::string(44, '0'));
    EXPECT_EQ(p.lines()[0].substr(38, 4), "0110");

    const std::pair<std::vector<std::uint32_t>, const char*> sums[] = {
        {{}, "0000"}, {{0}, "0001"}, {{7}, "0080"}, {{0, 8}, "0002"}, {{2047}, "0080"}, {{2048}, "0000"}};
    for (auto& [ones, sum] : sums) {
        std::fill(buf.data(), buf.data() + 6000, '0');
        for (auto f : ones) buf[f] = '1';
        EXPECT_EQ(field(pld(), "Edit2"), sum);
    }
    std::fill(buf.data(), buf.data() + 2048, '1'); // 256 bytes of 0xFF
    EXPECT_EQ(pld().checksum(), 0xFF00);
}

TEST_F(PldWindow, CaretAndFuseEntry) {
    const std::array<int, 3> cursor[] = {{0, 38, 0}, {1, 5, 32}, {68, 37, 2207}};
    TPldFileW& p = pld();
    for (auto [line, column, fuse] : cursor) {
        caretAt(p, line, column);
        EXPECT_EQ(p.cursorFuse(), fuse) << line << ":" << column;
        EXPECT_EQ(field(p, "Edit1"), std::to_string(fuse) + " ");
    }
    caretAt(p, 1, 8);
    p.keyPress('1');
    EXPECT_EQ(buf[34], '1');
    EXPECT_EQ(p.lines()[1][8], '1');
    EXPECT_EQ(markAt(p, 1, 8), CharMark::Red);
    EXPECT_EQ(p.caretColumn(), 9);

    // Keys in the line prefix, past the row or other than 0 and 1 change nothing.
    const std::string before = p.text();
    const std::pair<int, char> keys[] = {{0, '1'}, {3, '1'}, {5, '0'}, {6, '2'}, {38, '1'}};
    for (auto [column, key] : keys) {
        p.OnSelectionChange(p.positionOf(2, column), 1);
        p.keyPress(key);
        EXPECT_EQ(p.text(), before) << column << key;
    }
    for (std::uint32_t a = 0; a < 6000; ++a) ASSERT_EQ(buf[a], a == 34 ? '1' : '0') << a;
}

TEST_F(PldWindow, GeometriesOutsideTheBufferShowNothing) {
    const std::pair<int, int> geometries[] = {{0, 64}, {-4, 64}, {32, -10}, {0x10000, 0x10000}};
    for (auto [perRow, rows] : geometries) {
        pld(perRow, rows).keyPress('1');
        EXPECT_TRUE(docs.pldWindow()->lines().empty()) << perRow << "x" << rows;
    }
    EXPECT_EQ(buf[0], '0');
    // The largest map that fits is drawn without reading past the buffer.
    EXPECT_EQ(pld(0x400, 0x1000 - 6).lines().size(), 0xFFFu);
}

using HexWindow = WindowsTest;

TEST_F(HexWindow, DumpLinesAndFields) {
    for (int i = 0; i < 16; ++i) buf[0x3FFFF0 + i] = static_cast<std::uint8_t>(i ? 0x70 + i : 0x20);
    EXPECT_EQ(TFileWin::dumpLine(buf, 0x3FFFF0),
              "3ffff0:  20 71 72 73 74 75 76 77 78 79 7a 7b 7c 7d 7e 7f .qrstuvwxyz{|}~.");
    TFileWin& w = hex(0x123);
    EXPECT_EQ(field(w, "Edit1"), "120 ");
    EXPECT_EQ(w.selectionStart(), 9); // the caret on the first digit
    EXPECT_EQ(w.text().substr(74, 9), "   130:  "); // a line break is one character
    EXPECT_EQ(w.textLength(), 16 * 74 - 1);
}

TEST_F(HexWindow, GreyRowsAndTheSumFieldFollowTheEndAddress) {
    const struct { std::int32_t end; int firstGrey; const char* sum; } cases[] = {
        {0x1F, 2, "    1fe0"}, {0x20, 3, "    20df"}, {-1, 0, "       0"},
        {0xFFFF, 16, "  ff0000"}, {0xEF, 15, "    ef10"}, {0x7FFFFFFF, 16, " ff00000"}};
    TFileWin& w = hex();
    for (const auto& c : cases) {
        w.setEndAddress(c.end);
        w.Refresh();
        EXPECT_EQ(field(w, "Edit2"), c.sum) << c.end;
        for (int row = 0; row < 16; ++row)
            EXPECT_EQ(markAt(w, row, 60), row < c.firstGrey ? CharMark::Normal : CharMark::Grey)
                << "end " << c.end << " row " << row;
    }
}

// The caret's address, and keys that change nothing there: other than hex digits,
// or outside the hex columns (the address, the blank after a row, the characters).
TEST_F(HexWindow, CursorAddressFollowsTheCaretAndKeysThatChangeNothing) {
    struct Case { int line, column; std::int32_t address; char key; } cases[] = {
        {0, 0, 0x100, '1'}, {0, 3, 0x100, 'a'}, {0, 8, 0x100, '1'},  {0, 11, 0x100, 'g'},  {0, 12, 0x101, ' '},
        {0, 56, 0x10F, 'a'}, {0, 57, 0x100, '1'}, {0, 72, 0x10F, 'f'}, {0, 73, 0x100, '1'}, {2, 24, 0x125, 'g'},
        {15, 62, 0x1F5, '1'}};
    TFileWin& w = hex(0x100);
    const std::string page = w.text();
    for (auto c : cases) {
        w.OnSelectionChange(w.positionOf(c.line, c.column), 2);
        EXPECT_EQ(w.cursorAddress(), c.address) << c.line << ":" << c.column;
        EXPECT_EQ(w.caretColumn(), c.column);
        w.keyPress(c.key);
        EXPECT_EQ(w.text(), page) << c.column << c.key;
        EXPECT_EQ(w.selectionLength(), 0);
    }
    EXPECT_EQ(field(w, "Edit1"), "1f5 ");
    for (std::uint32_t a = 0; a < 0x200; ++a) ASSERT_EQ(buf[a], 0xFF);
}

TEST_F(HexWindow, TypingADigitEditsTheByteUnderTheCaret) {
    buf[0x105] = 0x3C;
    TFileWin& w = hex(0x100);
    caretAt(w, 0, 24); // first digit of "3c " at 0x105
    w.keyPress('a'); // the first digit as the view tests show it; then the second
    w.keyPress('1');
    EXPECT_EQ(buf[0x105], 0xA1);
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

TEST_F(HexWindow, PagingStopsAtTheEdges) {
    struct Case { const char* name; std::int32_t end, start; void (TFileWin::*command)(); std::int32_t after; };
    using W = TFileWin;
    const Case cases[] = {
        {"Home", 0xFFFF, 0x500, &W::Home, 0}, {"End unaligned", 0x1234, 0, &W::End, 0x1130},
        {"End past buffer", 0x7FFFFFFF, 0, &W::End, 0x3FFF00}, {"End negative", INT32_MIN, 0x100, &W::End, 0},
        {"PageDown past end address", 0xFF, 0x100, &W::PageDown, 0x200},
        {"PageDown last page", 0xFFFF, 0x3FFF00, &W::PageDown, 0x3FFF00},
        {"PageUp at f0", 0xFFFF, 0xF0, &W::PageUp, 0xF0}, {"PageUp at 110", 0xFFFF, 0x110, &W::PageUp, 0x10},
        {"Next at end", 0x1FF, 0x100, &W::NextPageButton, 0x100},
        {"Previous at f0", 0xFFFF, 0xF0, &W::PreviousPageButton, 0xF0},
        {"Previous at 200", 0xFFFF, 0x200, &W::PreviousPageButton, 0x100},
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
        {"123", 0x120, nullptr}, {"zz", 0x120, nullptr}, {"3fffff", 0x3FFF00, nullptr},
        {"400000", 0x3FFF00, "Start: 400000 is above 3fffff; kept 3fff00"},
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

class FindReplaceTest : public WindowsTest {
protected:
    FindReplace fr{fake.prompts};
};

TEST_F(FindReplaceTest, FindWalksThroughThePageShownAndStartsAgainAfterNotFound) {
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

    // Only the page shown is searched, and case matters.
    fake.prompts.shown.clear();
    std::memcpy(buf.data() + 0x1000, "QUARV", 5);
    EXPECT_EQ(fr.OnFind(&w, "QUARV"), -1);
    EXPECT_EQ(fr.OnFind(&w, "FF"), -1);
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
