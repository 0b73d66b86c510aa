// The PLD window: the fuse lines, the fuse checksum, caret tracking and fuse entry.
#include "windows_fixture.h"

namespace quarvin::test {
namespace {

class PldWindow : public WindowsTest {
protected:
    PldWindow() {
        for (std::uint32_t a = 0; a < 6000; ++a) buf[a] = '0';
    }
    TPldFileW& pld(int perRow = 32, int rows = 64) {
        TPldFileW& p = docs.openPldWindow();
        p.setGeometry(perRow, rows);
        p.Refresh();
        return p;
    }
};

TEST_F(PldWindow, LayoutOfTheFuseLines) {
    struct Case {
        int perRow, rows, count, lines;
        const char* lastPrefix;
    } cases[] = {{32, 64, 2240, 69, "L2176 "}, {40, 64, 2800, 69, "L2720 "}, {44, 88, 4136, 93, "L4048 "}};
    for (auto c : cases) {
        TPldFileW& p = pld(c.perRow, c.rows);
        EXPECT_EQ(p.fuseCount(), c.count);
        ASSERT_EQ(static_cast<int>(p.lines().size()), c.lines);
        EXPECT_EQ(p.lines()[0].substr(0, 6), "L0000 ");
        EXPECT_EQ(p.lines().back().substr(0, 6), c.lastPrefix);
        EXPECT_EQ(static_cast<int>(p.lines()[1].size()), 6 + c.perRow);
        EXPECT_EQ(p.caretColumn(), 6);
        EXPECT_EQ(field(p, "Edit1"), "0 ");
    }
}

TEST_F(PldWindow, FusesShowTheirLowestBit) {
    buf[33] = '1';
    buf[34] = 0x03;
    buf[35] = 0x32;
    TPldFileW& p = pld();
    EXPECT_EQ(p.lines()[1].substr(0, 10), "L0032 0110");
}

TEST_F(PldWindow, ChecksumPacksEightFusesToAByte) {
    struct Case {
        std::vector<std::uint32_t> ones;
        const char* sum;
    } cases[] = {{{}, "0000"},           {{0}, "0001"},          {{7}, "0080"},
                 {{0, 8}, "0002"},       {{2047}, "0080"},       {{2048}, "0000"},
                 {{2100, 2207}, "0000"}};
    for (auto& c : cases) {
        for (std::uint32_t a = 0; a < 6000; ++a) buf[a] = '0';
        for (auto f : c.ones) buf[f] = '1';
        TPldFileW& p = pld();
        EXPECT_EQ(field(p, "Edit2"), c.sum);
    }
    // All 2048 fuses set: 256 bytes of 0xFF, 0xFF00 modulo 65536.
    for (std::uint32_t a = 0; a < 2048; ++a) buf[a] = '1';
    EXPECT_EQ(pld().checksum(), 0xFF00);
}

TEST_F(PldWindow, CursorFuseFollowsTheCaret) {
    struct Case {
        int line, column, fuse;
    } cases[] = {{0, 6, 0}, {0, 37, 31}, {0, 38, 0}, {1, 0, 32}, {1, 5, 32}, {1, 6, 32}, {2, 10, 68}, {68, 37, 2207}};
    TPldFileW& p = pld();
    for (auto c : cases) {
        caretAt(p, c.line, c.column);
        EXPECT_EQ(p.cursorFuse(), c.fuse) << c.line << ":" << c.column;
        EXPECT_EQ(field(p, "Edit1"), std::to_string(c.fuse) + " ");
    }
}

TEST_F(PldWindow, TypingAFuse) {
    TPldFileW& p = pld();
    caretAt(p, 1, 8);
    p.keyPress('1');
    EXPECT_EQ(buf[34], '1');
    EXPECT_EQ(p.lines()[1][8], '1');
    EXPECT_EQ(markAt(p, 1, 8), CharMark::Red);
    EXPECT_EQ(p.caretColumn(), 9);
    p.keyPress('0');
    EXPECT_EQ(buf[35], '0');
    EXPECT_EQ(markAt(p, 1, 9), CharMark::Red);
}

TEST_F(PldWindow, KeysThatChangeNothing) {
    struct Case {
        int column;
        char key;
    } cases[] = {{0, '1'}, {3, '1'}, {5, '0'}, {6, '2'}, {6, 'x'}, {38, '1'}};
    TPldFileW& p = pld();
    const std::string before = p.text();
    for (auto c : cases) {
        p.OnSelectionChange(p.positionOf(2, c.column), 1);
        p.keyPress(c.key);
        EXPECT_EQ(p.text(), before) << c.column << c.key;
        EXPECT_EQ(p.selectionLength(), 0);
    }
    for (std::uint32_t a = 0; a < 6000; ++a) ASSERT_EQ(buf[a], '0') << a;
}

TEST_F(PldWindow, GeometriesOutsideTheBufferShowNothing) {
    const std::pair<int, int> cases[] = {{0, 64}, {-4, 64}, {32, -10}, {0x10000, 0x10000}};
    for (auto [perRow, rows] : cases) {
        TPldFileW& p = pld(perRow, rows);
        EXPECT_TRUE(p.lines().empty()) << perRow << "x" << rows;
        p.keyPress('1');
        EXPECT_EQ(buf[0], '0');
    }
    // The largest map that fits is drawn without reading past the buffer.
    TPldFileW& p = pld(0x400, 0x1000 - 6);
    EXPECT_EQ(p.fuseCount(), 0x400000);
    EXPECT_EQ(p.lines().size(), 0xFFFu);
}

} // namespace
} // namespace quarvin::test
