// The 93Cxx family: its dialog, the chip model driven pin by pin, and whole
// operations through the virtual box with faults. Its streams are pinned by
// serial_golden_wire_test.cpp; round trips and a lost link run in the
// conformance suite.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "SerialPinDriver.h"
#include "WireDecode.h"
#include "families/framework/MemorySteps.h"
#include "families/microwire_eeprom/MicrowireDialog.h"
#include "sim/families/microwire_eeprom/MicrowireChip.h"

namespace quarvin::test {
namespace {

using sim::MicrowireChip;
constexpr std::uint8_t kPort2 = op::WritePortBase + 2;
constexpr std::uint8_t kClockHigh = op::PinHighBase + pin::microwire::Clock;

// The DI bits clocked in: the port 2 image at each rising clock edge, bit 0x04.
std::vector<int> ClockedBits(const std::vector<std::uint8_t>& bytes) {
    std::vector<int> bits;
    int image = 0;
    for (const WireCommand& c : Decode(bytes)) {
        if (c.opcode == kPort2) image = c.argument;
        if (c.opcode == kClockHigh) bits.push_back((image >> 2) & 1);
    }
    return bits;
}

std::vector<int> Bits(const char* text) {
    std::vector<int> v;
    for (const char* p = text; *p; ++p)
        if (*p == '0' || *p == '1') v.push_back(*p - '0');
    return v;
}

TEST(MicrowireDialog, StartWithoutABoxSaysRs232BadAndX16RowsFillTwoBytesAWord) {
    DialogRig<MicrowireDialog> rig(9);
    rig.dlg.Start();
    EXPECT_EQ(rig.dlg.control("Msg").text(), "RS232 Bad!");
    EXPECT_TRUE(rig.dlg.visible());
    EXPECT_EQ(rig.docs.end, 0x7FF);
    EXPECT_TRUE(rig.dlg.control("CheckBox3").checked());
    EXPECT_FALSE(rig.dlg.control("CheckBox1").checked());
}

TEST(MicrowireDialog, StopEndsEveryLoopAtItsAddressAndSwitchesThePartOff) {
    // A stopped Programe has written words 0 and 1 and leaves the part write-disabled.
    const char* twoWordsThenEwds = "10011 00000  101 0000000 11111111  101 0000001 11111111  10000 00000";
    struct Case {
        const char* button;
        int stopAtPoll;
        const char* endsWithBits; // the DI bits the stream ends with; nullptr: not checked
    } cases[] = {
        {"ReadButton", 3, nullptr}, {"Blank", 3, nullptr}, {"Verify", 3, nullptr}, {"Write", 3, twoWordsThenEwds},
        // Auto: Blank polls at each of the 128 locations, then Programe is stopped at its third poll.
        {"Button1", 131, twoWordsThenEwds},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        WireRig<MicrowireDialog> rig(1);
        for (std::uint32_t a = 0; a < 0x80; ++a) rig.docs.buf[a] = 0xFF; // every read answers 0xFF
        rig.dlg.control("CheckBox2").setChecked(true);
        rig.fp.stop.stopAfterPolls = c.stopAtPoll;
        rig.dlg.click(c.button);
        EXPECT_EQ(rig.dlg.control("Msg").text(), "Stopped at 000002");
        EXPECT_TRUE(rig.dlg.failure());
        Expect e(rig.link);
        PowerOffPinFed(e.link, pin::microwire::Supply);
        e.confirmed(); // a stopped run still proves the part was switched off
        EXPECT_TRUE(e.endOf(rig.log->written));
        if (c.endsWithBits) {
            const auto bits = ClockedBits(rig.log->written);
            const auto want = Bits(c.endsWithBits);
            ASSERT_GE(bits.size(), want.size());
            EXPECT_EQ(std::vector<int>(bits.end() - static_cast<long>(want.size()), bits.end()), want);
        }
        // Auto ran no Verify after the stop.
        if (std::string(c.button) == "Button1") {
            EXPECT_EQ(rig.fp.stop.polls, 131);
        }
    }
}

// ---------------------------------------------------------------- chip model

struct Host : SerialPinDriver<MicrowireChip> {
    Host(const char* type, bool wide)
        : SerialPinDriver(std::make_shared<MicrowireChip>(*sim::FindMicrowireType(type)),
                          sim::pinBit(MicrowireChip::kVcc) | (wide ? sim::pinBit(MicrowireChip::kOrganisation) : 0)) {}
    bool dataOut() const { return reads(MicrowireChip::kDataOut); }
    void powerCycle() {
        set(MicrowireChip::kVcc, false);
        set(MicrowireChip::kVcc, true);
    }
    void clock(int bit) {
        set(MicrowireChip::kDataIn, bit != 0);
        set(MicrowireChip::kClock, true);
        set(MicrowireChip::kClock, false);
    }
    void send(std::uint32_t value, int bits) {
        for (int b = bits - 1; b >= 0; --b) clock((value >> b) & 1);
    }
    void select(bool on) { set(MicrowireChip::kChipSelect, on); }
    void instruction(std::uint32_t bits3, std::uint32_t address, int addressBits) {
        select(false);
        select(true);
        send(bits3, 3);
        send(address, addressBits);
    }
    // Reads n data bits after the instruction; the first bit seen is the dummy.
    std::uint32_t read(std::uint32_t address, int addressBits, int dataBits, bool* dummyZero = nullptr) {
        instruction(0b110, address, addressBits);
        if (dummyZero) *dummyZero = !dataOut();
        std::uint32_t v = 0;
        for (int i = 0; i < dataBits; ++i) {
            clock(0);
            v = v << 1 | (dataOut() ? 1 : 0);
        }
        return v;
    }
    void write(std::uint32_t address, int addressBits, std::uint32_t data, int dataBits) {
        instruction(0b101, address, addressBits);
        send(data, dataBits);
        select(false);
    }
    void special(std::uint32_t two, int addressBits) {
        instruction(0b100, two << (addressBits - 2), addressBits);
        select(false);
    }
};

TEST(MicrowireChip, ReadShowsTheDummyZeroThenTheWordMsbFirst) {
    Host h("93C46", true);
    h.chip->memory()[6] = 0xA5;
    h.chip->memory()[7] = 0x5A;
    bool dummy = false;
    EXPECT_EQ(h.read(3, 6, 16, &dummy), 0x5AA5u);
    EXPECT_TRUE(dummy);
    // x8: ORG low, byte addresses.
    Host b("93C46", false);
    b.chip->memory()[0x7F] = 0x3C;
    EXPECT_EQ(b.read(0x7F, 7, 8), 0x3Cu);
}

TEST(MicrowireChip, WritesNeedEwenWhichPowerUpAndEwdsClear) {
    Host h("93C66", false);
    h.write(5, 9, 0x12, 8);
    h.waitUs(6000);
    EXPECT_EQ(h.chip->memory()[5], 0xFF) << "write without EWEN";
    h.special(0b11, 9);
    EXPECT_TRUE(h.chip->writeEnabled());
    h.write(5, 9, 0x12, 8);
    h.select(true);
    EXPECT_FALSE(h.dataOut()) << "busy shows low";
    h.instruction(0b101, 6, 9); // ignored while busy
    h.send(0x34, 8);
    h.select(false);
    h.waitUs(6000);
    h.select(true);
    EXPECT_TRUE(h.dataOut()) << "ready shows high";
    h.select(false);
    EXPECT_EQ(h.chip->memory()[5], 0x12);
    EXPECT_EQ(h.chip->memory()[6], 0xFF) << "instruction taken while busy";
    h.special(0b00, 9);
    EXPECT_FALSE(h.chip->writeEnabled());
    h.special(0b11, 9);
    h.powerCycle();
    EXPECT_FALSE(h.chip->writeEnabled()) << "EWEN survived a power cycle";
}

TEST(MicrowireChip, EraseAllAndTheDontCareTopBitOf93c56) {
    Host h("93C56", false);
    h.special(0b11, 9);
    // A8 is not used: address 0x105 is 0x05.
    h.write(0x105, 9, 0x77, 8);
    h.waitUs(6000);
    EXPECT_EQ(h.chip->memory()[0x05], 0x77);
    h.special(0b10, 9);
    h.waitUs(5000);
    h.select(true);
    EXPECT_FALSE(h.dataOut()) << "ERAL takes longer than a write";
    h.select(false);
    h.waitUs(6000);
    EXPECT_EQ(h.chip->memory()[0x05], 0xFF);
}

// ---------------------------------------------------------------- virtual box

TEST(MicrowireOnTheBox, FaultsAndWhatEachStepReports) {
    struct Case {
        const char* what;
        int row;
        std::function<void(MicrowireChip&)> fault;
        const char* button;
        const char* message;
        std::string where;
    } cases[] = {
        {"stuck bit fails Verify at its word", 6, [](MicrowireChip& c) { c.faults().stuck.push_back({0x21, 0x21, 0x80, 0x80}); },
         "Verify", "Verify bad", "0010"},
        {"cell that will not program", 1, [](MicrowireChip& c) { c.faults().noProgram.push_back({0x40, 0x40}); }, "Verify",
         "Verify bad", "0040"},
        {"write cycle that never ends: location 0 reads busy-low 0, which Programe takes for its 0; Verify does not",
         3, [](MicrowireChip& c) { c.faults().busyForever = true; }, "Verify", "Verify bad", "0002"},
        {"empty socket: Programe judges location 0, which reads ones", 2,
         [](MicrowireChip& c) { c.faults().missing = true; }, "Write", "Programe Failured!", ""},
        {"last location 0xFE: Blank stops there", 1, [](MicrowireChip& c) { c.memory()[0x7F] = 0xFE; }, "Blank",
         "Not blank!", "007f"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimRig<MicrowireDialog, MicrowireChip> rig(c.row);
        for (std::uint32_t a = 0; a < rig.chip->memory().size(); ++a) rig.docs.buf[a] = static_cast<std::uint8_t>(a & 0x7E);
        c.fault(*rig.chip);
        if (std::string(c.button) == "Verify") {
            rig.dlg.click("Write");
            ASSERT_EQ(rig.dlg.control("Msg").text(), "OK");
        }
        rig.dlg.click(c.button);
        EXPECT_EQ(rig.dlg.control("Msg").text(), c.message);
        if (!c.where.empty()) {
            EXPECT_EQ(rig.dlg.control("Edit6").text(), c.where);
        }
        EXPECT_TRUE(rig.dlg.failure());
    }
}

TEST(MicrowireOnTheBox, AutoStopsAtTheFirstFailingStep) {
    SimRig<MicrowireDialog, MicrowireChip> rig(1);
    rig.chip->faults().stuck.push_back({0x10, 0x10, 0x01, 0x00});
    for (std::uint32_t a = 0; a < 128; ++a) rig.docs.buf[a] = 0x33;
    for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) rig.dlg.control(box).setChecked(true);
    rig.dlg.click("Button1");
    // Erase and Programe judge by location 0; Blank sees the stuck bit first.
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Not blank!");
    EXPECT_TRUE(rig.dlg.failure());
    EXPECT_EQ(rig.chip->memory()[0], 0xFF) << "Programe ran after a failed Blank";
    rig.chip->faults().stuck.clear();
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "OK");
    EXPECT_FALSE(rig.dlg.failure());
}

} // namespace
} // namespace quarvin::test
