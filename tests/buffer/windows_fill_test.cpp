// The fill dialog in fill and size mode.
#include "windows_fixture.h"

namespace quarvin::test {
namespace {

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

TEST_F(FillDialog, SizeModeLeavesOnlyEndEditable) {
    hex();
    TInputHexDlg& d = docs.fillDialog();
    docs.ChangeBufferSize();
    for (const char* n : {"Edit1", "Edit3", "Label2", "Label4"}) EXPECT_FALSE(d.control(n).enabled()) << n;
    EXPECT_TRUE(d.control("Edit2").enabled());
    docs.FillBuffer();
    for (const char* n : {"Edit1", "Edit3", "Label2", "Label4"}) EXPECT_TRUE(d.control(n).enabled()) << n;
}

TEST_F(FillDialog, FillWritesTheRangeAndSetsTheEndAddress) {
    TFileWin& w = hex();
    run(true, "10", "1f", "5a");
    for (std::uint32_t a = 0; a < 0x30; ++a) EXPECT_EQ(buf[a], a >= 0x10 && a <= 0x1F ? 0x5A : 0xFF) << a;
    EXPECT_EQ(docs.endAddress(), 0x1F);
    EXPECT_EQ(field(w, "Edit2"), "    1590"); // 16 x 0xFF + 16 x 0x5A
    EXPECT_FALSE(docs.fillDialog().visible());
    EXPECT_EQ(markAt(w, 2, 60), CharMark::Grey);
}

TEST_F(FillDialog, Cases) {
    struct Case {
        const char* name;
        bool fill;
        const char *start, *end, *data;
        std::int32_t endAfter;
        std::uint32_t first, last; // filled range, first > last for none
        std::uint8_t value;
    } cases[] = {
        {"size capped", false, "", "200000", "", 0xFFFFF, 1, 0, 0},
        {"data keeps low byte", true, "0", "3", "1ab", 3, 0, 3, 0xAB},
        {"start above end", true, "20", "10", "00", 0x10, 1, 0, 0},
        {"negative start", true, "-10", "4", "11", 4, 0, 4, 0x11},
        {"negative end", true, "0", "-5", "22", -5, 1, 0, 0},
        {"fill capped", true, "ffff0", "ffffffe", "33", 0xFFFFF, 0xFFFF0, 0xFFFFF, 0x33},
    };
    for (auto& c : cases) {
        buf.initialise();
        docs.New();
        run(c.fill, c.start, c.end, c.data);
        EXPECT_EQ(docs.endAddress(), c.endAfter) << c.name;
        for (std::uint32_t a : {0u, 3u, 4u, 0x10u, 0xFFFEFu, 0xFFFF0u, 0xFFFFFu, 0x100000u}) {
            const std::uint8_t initial = a < 0x100000 ? 0xFF : 0;
            const bool filled = c.first <= c.last && a >= c.first && a <= c.last;
            EXPECT_EQ(buf[a], filled ? c.value : initial) << c.name << " at " << a;
        }
    }
}

TEST_F(FillDialog, FieldsKeepTheirTextAndUnparsableTextKeepsTheValue) {
    hex();
    run(true, "10", "1f", "5a");
    TInputHexDlg& d = docs.fillDialog();
    docs.FillBuffer();
    EXPECT_EQ(field(d, "Edit1"), "10");
    EXPECT_EQ(field(d, "Edit3"), "5a");
    // "zz" does not parse: Start stays 0x10, Data stays 0x5A.
    buf.initialise();
    run(true, "zz", "20", "zz");
    EXPECT_EQ(buf[0x0F], 0xFF);
    EXPECT_EQ(buf[0x10], 0x5A);
    EXPECT_EQ(buf[0x20], 0x5A);
    EXPECT_EQ(docs.endAddress(), 0x20);
}

TEST_F(FillDialog, OkWithoutHexWindowDoesNothingAndCancelChangesNothing) {
    TInputHexDlg& d = docs.fillDialog();
    d.openFill();
    d.userSetText("Edit1", "0");
    d.userSetText("Edit3", "00");
    d.click("OKBtn");
    EXPECT_TRUE(d.visible());
    EXPECT_EQ(buf[0], 0xFF);

    hex();
    docs.FillBuffer();
    d.click("CancelBtn");
    EXPECT_FALSE(d.visible());
    EXPECT_EQ(buf[0], 0xFF);
    EXPECT_EQ(docs.endAddress(), 0xFFFF);
}

} // namespace
} // namespace quarvin::test
