// The documents over the buffer, the fill dialog and the PLD window.
#include <array>

#include "testutil.h"

namespace quarvin::test {
namespace {

using WindowsDocuments = WindowsTest;

TEST_F(WindowsDocuments, OnlyOneOfTheTwoWindowsExistsAndClosingKeepsTheData) {
    TFileWin& w = hex();
    EXPECT_EQ(w.caption(), "noname.bin");
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

TEST_F(FillDialog, NeedsTheHexWindowAndSizeModeLeavesOnlyEndEditable) {
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
}

TEST_F(FillDialog, FillAndSizeCases) {
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

} // namespace
} // namespace quarvin::test
