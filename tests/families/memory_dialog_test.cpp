// The shared anatomy of the memory dialogs, told on the EPROM dialog: start,
// address fields, Auto, close, and the rules that keep a dialog from saying "OK"
// for work it did not do: fields outside the device or the buffer, Stop, and a
// lost link.
#include <gtest/gtest.h>

#include <map>

#include "FamilyRig.h"
#include "ListedParts.h"
#include "families/flash29c/At29Dialog.h"
#include "families/flash28f/F28Dialog.h"
#include "families/flash29ee/EE29Dialog.h"
#include "families/flash29f/F29Dialog.h"
#include "families/uv_eprom/EpromRows.h"
#include "families/uv_eprom/UvEpromDialog.h"
#include "support/Wire.h"

namespace quarvin::test {
namespace {

using Rig = WireRig<UvEpromDialog>;

constexpr int kRow2716 = 1, kRow27c256 = 13, kRow27c512 = 14;

TEST(MemoryDialog, AddressFieldsReadHexKeepTheOldValueOnBadInputAndShowItBack) {
    Rig rig(kRow27c512, false);
    struct Case {
        const char *edit, *typed, *shown;
    } cases[] = {
        {"Edit3", "1ff", "1ff"}, {"Edit3", "", "1ff"},       {"Edit3", "0x10", "10"},
        {"Edit3", "zz", "10"},   {"Edit1", " 0ABCzz", "abc"}, {"Edit2", "0X700", "700"},
        {"Edit3", "100000000", "10"}, {"Edit3", "00000000ff", "ff"},
    };
    for (const auto& c : cases) {
        rig.field(c.edit, c.typed);
        EXPECT_EQ(rig.dlg.control(c.edit).text(), c.shown) << c.edit << " <- '" << c.typed << "'";
    }
    EXPECT_EQ(rig.dlg.fields().length, 0xFFu);
    EXPECT_EQ(rig.dlg.fields().bufferStart, 0xABCu);
    EXPECT_EQ(rig.dlg.fields().deviceStart, 0x700u);
    rig.field("Edit3", "100000000");
    EXPECT_EQ(rig.msg(), "Length: 100000000 has more than 8 hex digits; kept ff");

    // Enter takes the field as leaving it does; other keys do not.
    rig.dlg.control("Edit3").setText("2f");
    rig.dlg.keyDown("Edit3", 'A');
    EXPECT_EQ(rig.dlg.fields().length, 0xFFu);
    rig.dlg.keyDown("Edit3", KeyEnter);
    EXPECT_EQ(rig.dlg.fields().length, 0x2Fu);
}

TEST(MemoryDialog, StartFillsTheDialogAndKeepsTheStartFields) {
    Rig rig(kRow27c512);
    EXPECT_EQ(rig.dlg.caption(), "0 to ffff");
    EXPECT_EQ(rig.msg(), "OK ");
    EXPECT_EQ(rig.dlg.control("Edit7").text(), "ANY: 27C512");
    EXPECT_EQ(rig.docs.end, 0xFFFF);
    EXPECT_EQ(rig.docs.news, 1);
    EXPECT_TRUE(rig.dlg.visible());

    rig.fields("100", "20", "5");
    rig.selection.subType = kRow2716;
    rig.dlg.Start();
    EXPECT_EQ(rig.dlg.caption(), "0 to 7ff");
    EXPECT_EQ(rig.dlg.control("Edit1").text(), "100");
    EXPECT_EQ(rig.dlg.control("Edit2").text(), "20");
    EXPECT_EQ(rig.dlg.control("Edit3").text(), "7ff");

    // In soft-run mode the start says so and changes nothing.
    Rig soft(kRow27c512, false);
    soft.link.connected = 0;
    soft.dlg.Start();
    EXPECT_EQ(soft.msg(), "Communication error!");
    EXPECT_EQ(soft.dlg.caption(), "P27");
    EXPECT_EQ(soft.dlg.control("Edit3").text(), "000200");
    EXPECT_EQ(soft.docs.news, 0);
    EXPECT_TRUE(soft.log->written.empty());
}

// A sub-type without a part (the placeholder row, one outside the table, the 28F
// rows the box cannot drive) sends nothing and fails every device operation.
template <class Dialog>
void ExpectNothingSent(std::initializer_list<int> rows, std::initializer_list<const char*> buttons) {
    for (int row : rows)
        for (const std::string button : buttons) {
            SCOPED_TRACE(std::string(Dialog::kFormClass) + " row " + std::to_string(row) + " " + button);
            WireRig<Dialog> rig(row);
            rig.dlg.click(button);
            EXPECT_EQ(rig.msg().rfind(button == "Write" ? "Programe Failured!" : "Failured!", 0), 0u) << rig.msg();
            EXPECT_TRUE(rig.dlg.failure());
            EXPECT_TRUE(rig.log->written.empty());
        }
}

TEST(MemoryDialog, ASubTypeWithoutAPartSendsNothingAndFails) {
    ExpectNothingSent<UvEpromDialog>({22, -1}, {"Write"});
    ExpectNothingSent<EE29Dialog>({0}, {"Erase", "Protect", "Unprotect", "Write"});
    ExpectNothingSent<F28Dialog>({0, 7, 8, 9, 10}, {"Write", "Erase"});
    ExpectNothingSent<F29Dialog>({0}, {"Write", "Erase", "UnProtectChip"});
}

TEST(MemoryDialog, AutoRunsTheCheckedStepsAndStopsAtTheFirstFailure) {
    Rig none(kRow2716);
    for (const char* box : {"CheckBox2", "CheckBox3", "CheckBox4"}) none.dlg.control(box).setChecked(false);
    none.dlg.click("Button1");
    EXPECT_EQ(none.msg(), "OK");
    EXPECT_TRUE(none.log->written.empty());

    Rig all(kRow2716);
    all.dlg.control("CheckBox4").setChecked(true);
    all.log->reply({0, 0}); // the first page is not blank
    all.dlg.click("Button1");
    EXPECT_EQ(all.msg(), "000000: Not blank ");
    // The failed page is read again for its first used byte (the recorder
    // answers 0xff, so the page start is named), then the power-down is
    // confirmed: no programming, no verify.
    EXPECT_EQ(all.log->reads, 2 + 0x100 + 1);
    EXPECT_EQ(std::count(all.log->written.begin(), all.log->written.end(), std::uint8_t{132}), 0);

    Rig noFile(kRow2716);
    noFile.docs.hex = false;
    noFile.dlg.click("Button1");
    EXPECT_EQ(noFile.fp.prompts.texts(), std::vector<std::string>{"No any file opened!"});
    EXPECT_TRUE(noFile.log->written.empty());
    noFile.dlg.control("CheckBox3").setChecked(false); // Blank alone needs no file
    noFile.dlg.click("Button1");
    EXPECT_EQ(noFile.msg(), "OK");
}

TEST(MemoryDialog, FieldsPastTheDeviceOrTheBufferSaySoOnATwentySevenC256) {
    struct Case {
        const char *bufferStart, *deviceStart, *length;
        int bytes; // handled, the box's reads
        const char *programmed, *verified;
    } cases[] = {
        {"0", "0", "0", 1, "OK!", "Verify OK"}, // Length 0: exactly one byte
        // stops after the last address and says how much was done
        {"0", "7ff0", "ffffff", 16, "OK! 16 of 16777216 bytes: end of device",
         "Verify OK 16 of 16777216 bytes: end of device"},
        // Length + 1 does not wrap
        {"0", "0", "ffffffff", 0x8000, "OK! 32768 of 4294967296 bytes: end of device",
         "Verify OK 32768 of 4294967296 bytes: end of device"},
        {"3fff00", "0", "7fff", 256, "OK! 256 of 32768 bytes: end of buffer",
         "Verify OK 256 of 32768 bytes: end of buffer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.bufferStart) + " " + c.deviceStart + " " + c.length);
        Rig rig(kRow27c256);
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + kBufferSize, 0xFF); // what the box answers
        rig.fields(c.bufferStart, c.deviceStart, c.length);
        rig.dlg.WriteClick();
        // A run ends with one read that confirms the link.
        EXPECT_EQ(rig.log->reads, c.bytes + 1);
        EXPECT_EQ(rig.msg(), c.programmed);
        EXPECT_EQ(rig.dlg.failure(), 0);
        rig.log->reads = 0;
        rig.dlg.VerifyClick();
        EXPECT_EQ(rig.log->reads, c.bytes + 1);
        EXPECT_EQ(rig.msg(), c.verified);
        EXPECT_EQ(rig.dlg.failure(), 0);
    }

    // Auto stops at the refusal; the note of a cut run stays in its last word.
    Rig beyond(kRow27c256);
    beyond.fields("0", "8000", "ff");
    beyond.dlg.control("CheckBox4").setChecked(true);
    beyond.dlg.click("Button1");
    EXPECT_EQ(beyond.msg(), "Device Start 8000 is beyond the device end 7fff");
    EXPECT_EQ(beyond.dlg.failure(), 1);
    Rig cut(kRow27c256);
    std::fill(cut.docs.buf.data(), cut.docs.buf.data() + kBufferSize, 0xFF);
    cut.fields("3fff00", "0", "7fff");
    cut.dlg.control("CheckBox4").setChecked(true);
    cut.dlg.click("Button1");
    EXPECT_EQ(cut.msg(), "OK 256 of 32768 bytes: end of buffer");
}

TEST(MemoryDialog, StopEndsEveryLoopWithItsAddressAndPowersDown) {
    struct Case {
        const char* button;
        int stopAtPoll;
        const char* message;
        bool programming;
    } cases[] = {
        {"ReadButton", 3, "Stopped at 000200", false}, // polled every 256 bytes
        {"Verify", 3, "Stopped at 000400", false},     // every 512 bytes
        {"Blank", 2, "Stopped at 001000", false},      // every 16 pages
        {"CheckSum", 2, "Stopped at 001000", false},
        {"Write", 3, "Stopped at 000200", true},
        // Auto: Blank polls 8 times on a 27C256, then Programe is stopped at its third poll.
        {"Button1", 11, "Stopped at 000200", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        Rig rig(kRow27c256);
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x8000, 0xFF);
        rig.dlg.control("CheckBox4").setChecked(true);
        rig.fields("0", "0", "7fff");
        if (std::string(c.button) == "Button1")
            rig.log->reply({0, 1}); // a blank page; the recorder answers 0xff after it
        rig.fp.stop.stopAfterPolls = c.stopAtPoll;
        rig.dlg.click(c.button);
        EXPECT_EQ(rig.msg(), c.message);
        EXPECT_EQ(rig.dlg.failure(), 1);
        // Every port low but the supply pin's before Vcc goes, and every port
        // low again at the end (the latches' states are the same whatever came before).
        Expect e(rig.link);
        ConnectVcc(e.link, kEpromRows[kRow27c256].supplyPin);
        e.log->written.clear();
        if (c.programming) ConnectVpp(e.link, 0);
        PortsLowThenVccOff(e.link);
        WriteAllPorts(e.link, 0);
        e.confirmed(); // a stopped run still proves the socket was powered down
        EXPECT_TRUE(e.endOf(rig.log->written));
        // Auto ran no Verify after the stop.
        if (std::string(c.button) == "Button1") {
            // 128 blank pages, two replies each; Blank's power-down and the stopped
            // Programe's are each confirmed by one more read.
            EXPECT_EQ(rig.log->reads, 2 * 128 + 0x200 + 2);
        }
    }

    // A request left over from an earlier run does not stop the next one.
    Rig rig(kRow27c512);
    rig.fp.stop.requested = true;
    rig.field("Edit3", "ff");
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x100, 0xFF);
    rig.dlg.VerifyClick();
    EXPECT_EQ(rig.msg(), "Verify OK");
}

TEST(MemoryDialog, AfterALostLinkEveryOperationRefusesAndTheBufferStays) {
    Rig rig(kRow27c256);
    for (std::uint32_t i = 0; i < 0x8000; ++i) rig.docs.buf[i] = static_cast<std::uint8_t>(i);
    rig.dlg.control("RadioGroup2").setItemIndex(1); // the recorder reads back 0xff
    rig.log->writeLimit = static_cast<long>(rig.log->written.size()) + 3000; // the box goes away during Programe
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Communication error!");
    EXPECT_EQ(rig.dlg.failure(), 1);
    EXPECT_EQ(rig.fp.prompts.shown.size(), 1u); // the lost-link message, once
    EXPECT_TRUE(rig.link.lost);

    const auto sent = rig.log->written.size();
    for (const char* button : {"Blank", "Write", "ReadButton", "Verify", "CheckSum", "MFG", "Button1"}) {
        SCOPED_TRACE(button);
        rig.dlg.control("Message").setText("");
        rig.dlg.click(button);
        EXPECT_EQ(rig.msg(), "Communication error!");
        EXPECT_EQ(rig.dlg.failure(), 1);
    }
    EXPECT_EQ(rig.log->written.size(), sent);
    EXPECT_EQ(rig.fp.prompts.shown.size(), 1u);
    for (std::uint32_t i = 0; i < 0x8000; ++i) ASSERT_EQ(rig.docs.buf[i], static_cast<std::uint8_t>(i)) << i;
}

TEST(MemoryDialog, ExitRunsTheCloseSequence) {
    Rig rig(kRow27c512);
    for (bool viaButton : {false, true}) {
        rig.dlg.show();
        rig.log->clear();
        Expect e(rig.link);
        if (viaButton) rig.dlg.click("CancelBtn");
        else rig.dlg.close();
        ShutDownSocket(e.link);
        SetVppLevel(e.link, 0);
        ConnectVpp(e.link, 0);
        WriteAllPorts(e.link, 0);
        EXPECT_EQ(describe(rig.log->written), describe(e.bytes()));
        EXPECT_FALSE(rig.dlg.visible());
    }
}

template <class Dialog>
std::string CodesOf(const sim::ChipOffer& offer) {
    SimRig<Dialog> rig(1);
    rig.box->remove();
    rig.box->insert(offer.make());
    return IdButtonCodes(rig);
}

// "ID" runs the selection dialog's code read: every listed part of the flash
// families with a model shows its list codes, the 28-pin AT29C256 included.
TEST(MemoryDialog, TheIdButtonShowsTheListCodesOfEveryListedFlashPart) {
    std::map<std::string, int> checked;
    for (const ListedPart& p : ListedParts()) {
        const std::string& family = p.field.family;
        if (p.codes.empty() || !(family == "P29" || family == "P29F" || family == "PI28F" || family.rfind("AT29C", 0) == 0))
            continue;
        const sim::ChipOffer* offer = sim::FindOffer(p.type);
        if (!offer) continue; // a 29F part the box has no model of
        SCOPED_TRACE(p.type);
        EXPECT_EQ(offer->subType, p.field.subType);
        // The code read follows the selected part's package: the 28-pin one has a dialog of its own.
        const bool pin28 = family == "AT29C256";
        EXPECT_EQ(pin28 ? CodesOf<At29c256Dialog>(*offer) : CodesOf<EE29Dialog>(*offer), p.codes);
        ++checked[family];
    }
    EXPECT_EQ(checked, (std::map<std::string, int>{{"AT29C256", 1}, {"AT29CX", 1}, {"P29", 7}, {"P29F", 8}, {"PI28F", 14}}));
}

} // namespace
} // namespace quarvin::test
