// The 24Cxx family: its dialog, the chip models driven pin by pin, and whole
// operations through the virtual box with faults. Its streams are pinned by
// serial_golden_wire_test.cpp; round trips and a lost link run in the
// conformance suite.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "SerialPinDriver.h"
#include "families/i2c_eeprom/I2cDialog.h"
#include "families/i2c_eeprom/I2cSession.h"
#include "sim/families/i2c_eeprom/I2cEepromChip.h"

namespace quarvin::test {
namespace {

using sim::I2cEepromChip;

// ---------------------------------------------------------------- dialog

TEST(I2cDialog, StartWithoutABoxSaysLinkBadAndStillOpens) {
    DialogRig<I2cDialog> rig(9);
    rig.selection.typeName = "AT24C256";
    rig.dlg.Start();
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Link Bad");
    EXPECT_TRUE(rig.dlg.visible());
    EXPECT_EQ(rig.docs.end, 0x7FFF);
    EXPECT_EQ(rig.dlg.control("Edit7").text(), "AT24C256");
    EXPECT_EQ(rig.dlg.find("Erase"), nullptr);
    EXPECT_EQ(rig.dlg.find("Button1"), nullptr);
}

TEST(I2cDialog, ProgrammeAndVerifyWithoutAFileAsk) {
    for (const char* button : {"Write", "Verify"}) {
        WireRig<I2cDialog> rig(2);
        rig.docs.hex = false;
        rig.dlg.click(button);
        EXPECT_TRUE(rig.log->written.empty());
        ASSERT_EQ(rig.fp.prompts.texts().size(), 1u);
        EXPECT_EQ(rig.fp.prompts.texts()[0], "No any file opened!");
        EXPECT_TRUE(rig.dlg.failure());
    }
}

TEST(I2cDialog, StopEndsEveryLoopAtItsProgressPointAndSwitchesThePartOff) {
    struct Case {
        const char* button;
        int stopAtPoll;
        const char* message;
    } cases[] = {
        {"ReadButton", 3, "Stopped at 000020"}, // polled every 16 bytes
        {"Verify", 3, "Stopped at 000040"},     // every 32
        {"Write", 3, "Stopped at 000020"},      // every 16
        // Programe polls 8 times on a 24c01A, then its verify is stopped at its second poll.
        {"Write", 10, "Stopped at 000020"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " " + std::to_string(c.stopAtPoll));
        WireRig<I2cDialog> rig(1);
        for (std::uint32_t a = 0; a < 0x80; ++a) rig.docs.buf[a] = 0xFF; // every read answers 0xFF
        rig.fp.stop.stopAfterPolls = c.stopAtPoll;
        rig.dlg.click(c.button);
        EXPECT_EQ(rig.dlg.control("Msg").text(), c.message);
        EXPECT_TRUE(rig.dlg.failure());
        // The part takes its supply from a logic pin: the latches go off and the pin low.
        Expect e(rig.link);
        ConnectVcc(e.link, 0);
        PinLow(e.link, kI2cRows[1].vcc);
        e.confirmed(); // a stopped run still proves the part was switched off
        EXPECT_TRUE(e.endOf(rig.log->written));
    }
}

// ---------------------------------------------------------------- chip models

// The bus master's steps over the pin driver.
struct Master : SerialPinDriver<I2cEepromChip> {
    explicit Master(const char* type)
        : SerialPinDriver(std::make_shared<I2cEepromChip>(*sim::FindI2cEepromType(type)),
                          sim::pinBit(I2cEepromChip::kVcc) | sim::pinBit(I2cEepromChip::kSda) |
                              sim::pinBit(I2cEepromChip::kScl)) {}
    bool chipPullsLow() const { return !reads(I2cEepromChip::kSda); }
    void sda(bool h) { set(I2cEepromChip::kSda, h); }
    void scl(bool h) { set(I2cEepromChip::kScl, h); }
    void start() { sda(true), scl(true), sda(false), scl(false); }
    void stop() { sda(false), scl(true), sda(true); }
    // Sends a byte; true when the part acknowledged.
    bool send(std::uint8_t b) {
        for (int bit = 7; bit >= 0; --bit) sda((b >> bit) & 1), scl(true), scl(false);
        sda(true);
        scl(true);
        const bool ack = chipPullsLow();
        scl(false);
        return ack;
    }
    std::uint8_t receive(bool ack) {
        std::uint8_t v = 0;
        sda(true);
        for (int bit = 0; bit < 8; ++bit) {
            scl(true);
            v = static_cast<std::uint8_t>(v << 1 | (chipPullsLow() ? 0 : 1));
            scl(false);
        }
        sda(!ack), scl(true), scl(false), sda(true);
        return v;
    }
    bool write(std::vector<std::uint8_t> bytes) {
        start();
        bool all = true;
        for (auto b : bytes) all = send(b) && all;
        stop();
        return all;
    }
};

TEST(I2cChip, PageWritesRollOverInsideThePageAndReadsWrapAtTheEnd) {
    Master m("24C02");
    // Nine bytes into the 8-byte page at 0x10 from 0x16: from the third on they wrap to 0x10.
    ASSERT_TRUE(m.write({0xA0, 0x16, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    m.waitUs(5000);
    const auto& c = m.chip->memory();
    EXPECT_EQ((std::vector<std::uint8_t>(c.begin() + 0x10, c.begin() + 0x18)),
              (std::vector<std::uint8_t>{3, 4, 5, 6, 7, 8, 9, 2}));
    EXPECT_EQ(c[0x18], 0xFF);
    // Sequential read from 0xFF wraps to 0.
    m.chip->memory()[0xFF] = 0x42;
    m.chip->memory()[0x00] = 0x24;
    m.start();
    ASSERT_TRUE(m.send(0xA0));
    ASSERT_TRUE(m.send(0xFF));
    m.start();
    ASSERT_TRUE(m.send(0xA1));
    EXPECT_EQ(m.receive(true), 0x42);
    EXPECT_EQ(m.receive(false), 0x24);
    m.stop();
    // Current-address read goes on from there.
    m.start();
    ASSERT_TRUE(m.send(0xA1));
    EXPECT_EQ(m.receive(false), c[1]);
    m.stop();
}

TEST(I2cChip, NoAcknowledgeDuringTheWriteCycleThenReady) {
    Master m("24C256");
    m.chip->setWriteCycleUs(3000);
    ASSERT_TRUE(m.write({0xA0, 0x00, 0x10, 0x77}));
    m.waitUs(1000);
    m.start();
    EXPECT_FALSE(m.send(0xA0)) << "busy part acknowledged";
    m.stop();
    EXPECT_EQ(m.chip->memory()[0x10], 0xFF) << "cell changed before the cycle ended";
    m.waitUs(2100);
    EXPECT_EQ(m.chip->memory()[0x10], 0x77);
    m.start();
    EXPECT_TRUE(m.send(0xA0));
    m.stop();
}

TEST(I2cChip, DeviceAddressBlockBitsChipPinsAndWriteProtect) {
    struct Case {
        const char* type;
        std::uint8_t deviceByte;
        bool acknowledged;
    } cases[] = {
        {"24C16", 0xAE, true},  {"24C16", 0xB0, false}, {"24C02", 0xA2, false}, {"24C02", 0xA0, true},
        {"24C04", 0xA2, true},  {"24C04", 0xA4, false}, {"24C256", 0xA8, false}, {"24C32", 0xA8, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.deviceByte));
        Master m(c.type);
        m.start();
        EXPECT_EQ(m.send(c.deviceByte), c.acknowledged);
        m.stop();
    }
    // The block bits are address bits 8..10.
    Master m("24C16");
    ASSERT_TRUE(m.write({0xAE, 0xFF, 0x3C}));
    m.waitUs(5000);
    EXPECT_EQ(m.chip->memory()[0x7FF], 0x3C);
    // WP high: acknowledged, but nothing is written and no cycle starts.
    m.set(I2cEepromChip::kWriteProtect, true);
    m.write({0xA0, 0x00, 0x11});
    m.waitUs(5000);
    EXPECT_EQ(m.chip->memory()[0], 0xFF);
    EXPECT_EQ(m.chip->writeCycles(), 1u);
}

TEST(I2cChip, X24c01TakesTheAddressAndDirectionInOneByteWithFourBytePages) {
    Master m("X24C01");
    ASSERT_TRUE(m.write({0x7F * 2, 1, 2}));
    m.waitUs(5000);
    // 0x7F then rolls over to 0x7C inside its four-byte page.
    EXPECT_EQ(m.chip->memory()[0x7F], 1);
    EXPECT_EQ(m.chip->memory()[0x7C], 2);
    m.start();
    ASSERT_TRUE(m.send(0x7F * 2 + 1));
    EXPECT_EQ(m.receive(false), 1);
    m.stop();
}

// ---------------------------------------------------------------- virtual box

TEST(I2cOnTheBox, FailuresSayVerifyBadWhereTheyHappen) {
    struct Case {
        const char* what;
        int row;
        std::function<void(I2cEepromChip&)> fault;
        int speedIndex;
        std::uint32_t failsAt;
    } cases[] = {
        {"1 ms/byte on a part with a 3 ms cycle loses every second byte", 9,
         [](I2cEepromChip& c) { c.setWriteCycleUs(3000); }, 0, 1},
        {"stuck bit", 2, [](I2cEepromChip& c) { c.faults().stuck.push_back({0x40, 0x40, 0x01, 0x00}); }, 2, 0x40},
        {"first write cycle never ends", 3, [](I2cEepromChip& c) { c.faults().busyForever = true; }, 2, 0},
        {"empty socket", 4, [](I2cEepromChip& c) { c.faults().missing = true; }, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimRig<I2cDialog, I2cEepromChip> rig(c.row);
        c.fault(*rig.chip);
        rig.dlg.control("Speed").setItemIndex(c.speedIndex);
        // Bit 0 set and never all ones, so a stuck-at-0 bit and an empty socket both fail.
        for (std::uint32_t a = 0; a < rig.chip->memory().size(); ++a) rig.docs.buf[a] = static_cast<std::uint8_t>(0x11 + (a & 0x0E));
        rig.dlg.click("Write");
        EXPECT_EQ(rig.dlg.control("Msg").text(), "Verify Bad!！");
        EXPECT_EQ(rig.dlg.control("Edit6").text(), Format("%04x", c.failsAt));
        EXPECT_TRUE(rig.dlg.failure());
    }
}

TEST(I2cSession, CommandLineFailureNamesTheAddressAndProTimeIsInMilliseconds) {
    I2cSession s;
    EXPECT_EQ(s.setOption("pro-time", "10"), "");
    EXPECT_NE(s.setOption("pro-time", "3"), "");
    EXPECT_EQ(s.lastAddress(10), 0xFFFFu);
    auto chip = sim::OfferForSubType(I2cDialog::kFormClass, 1)->make();
    chip->faults().stuck.push_back({0x21, 0x21, 0x80, 0x80});
    LinkState link;
    ConnectToBoxWith(link, chip);
    auto buffer = std::make_unique<MainBuffer>();
    SelectionState sel;
    sel.subType = 1;
    OperationHooks hooks;
    s.start(link);
    const OperationResult r = s.run("program", {link, *buffer, sel, {}, hooks, nullptr, {}});
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_EQ(r.message, "Verify Bad!！ at 0021");
}

} // namespace
} // namespace quarvin::test
