// The 22V10 family: the edit-mode shifts on the wire, and every sub-type
// programmed, verified, read back, blank-checked and secured on the virtual
// box from the hand-made test files, with the chip faults and a lost link.
#include <gtest/gtest.h>

#include <algorithm>

#include "FamilyRig.h"
#include "GoldenFiles.h"
#include "PldTestFiles.h"
#include "buffer/formats/Jedec.h"
#include "families/p22v10/P22v10Dialog.h"
#include "families/p22v10/P22v10Shifter.h"
#include "sim/ChipFaultText.h"
#include "sim/families/p22v10/P22v10Chip.h"

namespace quarvin::test {
namespace {

using P22Sim = SimRig<P22v10Dialog, sim::P22v10Chip>;

constexpr formats::FuseGeometry kGeometry{44, 132};
constexpr std::uint32_t kArray = 5808;
constexpr int kClock = 18, kData = 19, kStrobe = 21, kDataOut = 22, kProgramSelect = 11;

std::string Msg(P22Sim& rig) { return rig.dlg.control("Msg").text(); }

void Load(MainBuffer& buf, const std::string& file) {
    const auto r = formats::readJedecFile(buf, kGeometry, PldFile(file));
    ASSERT_TRUE(r.opened);
    ASSERT_FALSE(r.checksumMismatch()) << file;
}

ParsedJedec FileFuses(const std::string& file) { return ParseJedecText(ReadText(PldFile(file))); }

bool AllOnes(const MainBuffer& buf, std::uint32_t from, std::uint32_t to) {
    return std::all_of(buf.data() + from, buf.data() + to, [](std::uint8_t f) { return f == '1'; });
}

void Pulse(LinkState& e) {
    PinHigh(e, kClock);
    PinLow(e, kClock);
}

// The six address bits, least significant first, through port 2's data bit.
void Address(LinkState& e, std::uint8_t image, int address) {
    for (int k = 0; k < 6; ++k) {
        WritePort(e, 2, ((address >> k) & 1) ? static_cast<std::uint8_t>(image | 0x04) : static_cast<std::uint8_t>(image & ~0x04));
        Pulse(e);
    }
}

// Shift out and Shift in at addresses that together use all six bits
// (43 = 101011b, 20 = 010100b), the architecture row read and programmed.
TEST(P22v10Wire, ShiftsAndTheArchitectureRowFollowTheSignalTable) {
    enum Kind { Out, In, ArchRead, ArchWrite };
    const struct Case {
        Kind kind;
        int address;
    } cases[] = {{Out, 43}, {Out, 20}, {In, 43}, {In, 20}, {ArchRead, 0}, {ArchWrite, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("kind %d address %d", static_cast<int>(c.kind), c.address));
        WireRig<P22v10Dialog> rig(1);
        rig.log->written.clear();
        Expect e(rig.link);
        p22v10::P22v10Shifter shifter(rig.link);
        switch (c.kind) {
        case Out:
            EXPECT_EQ(shifter.shiftOut(c.address, 3), "111");
            WritePort(e.link, 1, 2);
            WritePort(e.link, 3, 0);
            WritePort(e.link, 2, 56);
            Address(e.link, 56, c.address);
            PinLow(e.link, kStrobe);
            Delay(e.link, 1);
            PinHigh(e.link, kStrobe);
            SetPinLatch(e.link, kDataOut, 1);
            for (int k = 0; k < 3; ++k) {
                ReadPin(e.link, kDataOut);
                Pulse(e.link);
            }
            break;
        case In:
            shifter.shiftIn(c.address, "0x1", 3); // any character but "0" is sent high
            WritePort(e.link, 1, 2);
            WritePort(e.link, 3, 0);
            WritePort(e.link, 2, 24);
            PinLow(e.link, kData);
            Pulse(e.link);
            PinHigh(e.link, kData);
            Pulse(e.link);
            PinHigh(e.link, kData);
            Pulse(e.link);
            Address(e.link, 24, c.address);
            PinHigh(e.link, kProgramSelect);
            PinLow(e.link, kStrobe);
            Delay(e.link, 350);
            PinHigh(e.link, kStrobe);
            PinLow(e.link, kProgramSelect);
            break;
        case ArchRead:
            EXPECT_EQ(shifter.readArchitecture(), std::string(20, '1'));
            WritePort(e.link, 1, 130);
            WritePort(e.link, 3, 0);
            WritePort(e.link, 2, 56);
            WritePort(e.link, 2, 48);
            Delay(e.link, 10);
            WritePort(e.link, 2, 56);
            for (int k = 0; k < 20; ++k) {
                ReadPin(e.link, kDataOut);
                Pulse(e.link);
            }
            break;
        case ArchWrite: {
            const std::string bits = "01100000000000000001";
            shifter.programArchitecture(bits);
            WritePort(e.link, 1, 130);
            WritePort(e.link, 3, 0);
            WritePort(e.link, 2, 56);
            for (char b : bits) {
                if (b == '0') PinLow(e.link, kData);
                else PinHigh(e.link, kData);
                Pulse(e.link);
            }
            WritePort(e.link, 1, 134);
            WritePort(e.link, 2, 48);
            Delay(e.link, 100);
            WritePort(e.link, 2, 56);
            WritePort(e.link, 1, 130);
            break;
        }
        }
        EXPECT_EQ(rig.log->written, e.bytes());
    }
}

// Erase: 132 clocks, address 63, the program pulse and the erase strobe, then
// power-down; Secrity: the security bit at address 61, a fresh power-up and the
// check. Both switch the edit voltage off before Vcc.
TEST(P22v10Wire, EraseAndSecrityMatchTheirGoldenStreamsAndSwitchVppOffBeforeVcc) {
    const struct Case {
        const char* name;
        int row;
        const char* button;
        const char* message;
    } cases[] = {{"gal22v10_erase", 1, "Erase", "OK"}, {"gal22v10b_secrity", 2, "Secrity", "Secrity OK"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto box = std::make_shared<sim::Box>();
        auto tap = std::make_shared<std::vector<std::uint8_t>>();
        DialogRig<P22v10Dialog> rig(c.row);
        rig.connect(std::make_unique<TappedVirtualBox>(box, tap));
        auto chip = std::dynamic_pointer_cast<sim::P22v10Chip>(sim::OfferForSubType(P22v10Dialog::kFormClass, rig.selection.subType)->make());
        box->insert(chip);
        chip->memory()[7] = 0;
        rig.dlg.Start();
        tap->clear();
        rig.dlg.click(c.button);
        const std::string msg = rig.dlg.control("Msg").text();
        EXPECT_EQ(msg, c.message);
        EXPECT_FALSE(rig.dlg.failure());
        EXPECT_TRUE(MatchesGolden(c.name, msg, *tap));
        Expect end(rig.link);
        // Every port low while Vcc is still on, then Vcc off; the supply pin
        // (socket pin 32, port 3 bit 6) keeps its driver high with its closed
        // switch and follows it off.
        ConnectVpp(end.link, 0);
        for (int n = 0; n < op::PortCount; ++n) WritePort(end.link, n, n == 3 ? 0x40 : 0);
        ConnectVcc(end.link, 0);
        PinLow(end.link, 32);
        end.confirmed();
        EXPECT_TRUE(end.endOf(*tap));
        EXPECT_EQ(chip->refusedPulses(), 0);
        if (std::string(c.button) == "Erase") {
            EXPECT_EQ(chip->memory()[7], 1);
            // 132 clock pulses of ones and the six of address 63 before the program pulse.
            Expect head(rig.link);
            WritePort(head.link, 1, 234);
            WritePort(head.link, 3, 0);
            WritePort(head.link, 2, 61);
            const auto at = std::search(tap->begin(), tap->end(), head.bytes().begin(), head.bytes().end());
            ASSERT_NE(at, tap->end());
        } else {
            EXPECT_TRUE(chip->secured());
        }
    }
}

TEST(P22v10DialogTest, FormCaptionsAndTheStartMatchTheDesign) {
    WireRig<P22v10Dialog> rig(3, false);
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0');
    rig.dlg.Start();
    EXPECT_EQ(rig.dlg.caption(), "PLD  22v10");
    const std::pair<const char*, const char*> captions[] = {
        {"Read1", "Read"},     {"Erase", "Erase"},       {"Blank", "Blank"},       {"Write", "Programe"},
        {"Verify", "Verify"},  {"Secrity", "Secrity"},   {"GroupBox1", "Autp Pro"}, {"CheckBox1", "Erase"},
        {"CheckBox5", "Secrity"}, {"Button1", "Auto"},   {"CancelBtn", "Exit"}};
    for (const auto& [name, caption] : captions) EXPECT_EQ(rig.dlg.control(name).text(), caption) << name;
    EXPECT_TRUE(rig.docs.pld);
    EXPECT_EQ(rig.docs.buf[0], '1');
    EXPECT_EQ(rig.docs.buf[5999], '1');
    EXPECT_EQ(rig.docs.fusesPerRow, 44);
    EXPECT_EQ(rig.docs.fuseRows, 132);
    EXPECT_EQ(rig.dlg.control("Msg").text(), "OK ");
}

TEST(P22v10DialogTest, RowZeroRefusesAndProgrammeWithoutAMapIsRefused) {
    WireRig<P22v10Dialog> zero(0);
    zero.log->written.clear();
    for (const char* button : {"Read1", "Erase", "Blank", "Write", "Verify", "Secrity"}) {
        zero.dlg.click(button);
        EXPECT_EQ(zero.dlg.control("Msg").text(), "Bad!") << button;
        EXPECT_TRUE(zero.dlg.failure()) << button;
    }
    EXPECT_TRUE(zero.log->written.empty());

    WireRig<P22v10Dialog> rig(1);
    rig.docs.pld = false;
    rig.log->written.clear();
    rig.dlg.click("Write");
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.fp.prompts.texts(), (std::vector<std::string>{"Must be JECET format <*.JED>", "No any file opened!"}));
    EXPECT_TRUE(rig.dlg.failure());
    EXPECT_TRUE(rig.log->written.empty());
}

// Address 0's 132 bits land column-wise at 0, 44, 88, ...; the architecture
// row's bits at 5808..5827 win over address 44's first bits.
TEST(P22v10VirtualBox, ReadPlacesTheColumnsAndTheArchitectureRowLast) {
    P22Sim rig(1);
    auto& cells = rig.chip->memory();
    cells[44] = 0;           // address 0, bit 1
    cells[5764] = 0;         // address 0, bit 131
    cells[5808 + 19] = 0;    // the last architecture bit
    cells[5828] = 0;         // the first signature bit: address 44, bit 12
    rig.dlg.click("Read1");
    for (std::uint32_t n : {44u, 5764u, 5827u, 5828u}) EXPECT_EQ(rig.docs.buf[n], '0') << n;
    EXPECT_EQ(rig.docs.buf[0], '1');
    EXPECT_EQ(std::count(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0'), 4);
}

TEST(P22v10VirtualBox, SecrityHidesTheArrayFailsVerifyKeepsTheSignatureUntilErased) {
    for (int row : {1, 2, 3}) {
        SCOPED_TRACE(row);
        P22Sim rig(row);
        Load(rig.docs.buf, "gal22v10_reg.jed");
        const ParsedJedec expected = FileFuses("gal22v10_reg.jed");
        rig.dlg.click("Write");
        rig.dlg.click("Secrity");
        EXPECT_EQ(Msg(rig), "Secrity OK");
        EXPECT_FALSE(rig.dlg.failure());
        EXPECT_TRUE(rig.chip->secured());
        rig.dlg.click("Verify");
        EXPECT_EQ(Msg(rig), "Verify bad");
        EXPECT_TRUE(rig.dlg.failure());

        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0');
        rig.dlg.click("Read1");
        EXPECT_TRUE(AllOnes(rig.docs.buf, 0, kArray + 20));
        for (std::uint32_t n = kArray + 20; n < 5892; ++n) EXPECT_EQ(rig.docs.buf[n], '0' + expected.fuses[n]) << n;

        rig.dlg.click("Erase");
        EXPECT_FALSE(rig.chip->secured());
        rig.dlg.click("Blank");
        EXPECT_EQ(Msg(rig), "OK");
    }
}

// A part whose array still reads after the security bit (every data out read low
// here) fails the check, and Auto ends there without "OK".
TEST(P22v10DialogTest, SecrityThatDoesNotHideTheArraySaysFailuredAndStopsAuto) {
    WireRig<P22v10Dialog> rig(2);
    rig.log->defaultReply = 0;
    rig.dlg.click("Secrity");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Failured");
    EXPECT_TRUE(rig.dlg.failure());

    for (const char* box : {"CheckBox2", "CheckBox3", "CheckBox4"}) rig.dlg.control(box).setChecked(false);
    rig.dlg.control("CheckBox5").setChecked(true);
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Failured");
    EXPECT_TRUE(rig.dlg.failure());
}

TEST(P22v10VirtualBox, EmptySocketReadsOnesPassesBlankAndFailsAutoAtVerify) {
    P22Sim rig(1);
    rig.chip->faults().missing = true;
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0');
    rig.dlg.click("Read1");
    EXPECT_TRUE(AllOnes(rig.docs.buf, 0, 5892));
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig), "OK");
    Load(rig.docs.buf, "gal22v10_comb.jed");
    rig.dlg.click("Button1");
    EXPECT_EQ(Msg(rig), "Verify bad");
    EXPECT_TRUE(rig.dlg.failure());
}

TEST(P22v10VirtualBox, AutoStopsAtTheFirstFailureAndEraseReplacesBlank) {
    P22Sim rig(2);
    Load(rig.docs.buf, "gal22v10_comb.jed");
    rig.chip->memory()[5] = 0;
    const auto changes = rig.chip->changes();
    rig.dlg.click("Button1"); // Blank, Programe, Verify
    EXPECT_EQ(Msg(rig), "Not blank!");
    EXPECT_TRUE(rig.dlg.failure());
    EXPECT_EQ(rig.chip->changes(), changes); // Programe did not run

    rig.dlg.control("CheckBox1").setChecked(true); // Erase; Blank is skipped
    rig.dlg.control("CheckBox5").setChecked(true); // and Secrity last
    rig.dlg.click("Button1");
    EXPECT_EQ(Msg(rig), "OK");
    EXPECT_FALSE(rig.dlg.failure());
    EXPECT_TRUE(rig.chip->secured());
}

} // namespace
} // namespace quarvin::test
