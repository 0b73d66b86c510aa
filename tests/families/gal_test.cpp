// The GAL16V8/20V8 family: the row shifts on the wire, the JEDEC checksum, and
// every sub-type programmed, verified, read back, blank-checked and secured on
// the virtual box from the hand-made test files, with the chip faults.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "FamilyRig.h"
#include "GoldenFiles.h"
#include "PldTestFiles.h"
#include "buffer/formats/Jedec.h"
#include "families/gal/GalDialog.h"
#include "families/gal/GalRows.h"
#include "families/gal/GalShifter.h"
#include "families/p22v10/P22v10Dialog.h"
#include "sim/ChipFaultText.h"
#include "sim/families/gal/GalChip.h"

namespace quarvin::test {
namespace {

using GalSim = SimRig<GalDialog, sim::GalChip>;

formats::FuseGeometry GeometryOf(int row) {
    const GalRow& r = kGalRows[static_cast<std::size_t>(row)];
    return {static_cast<std::int32_t>(r.fusesPerRow), static_cast<std::int32_t>(r.fuseRows)};
}

const char* FileFor(int row, bool registered) {
    const bool wide = kGalRows[static_cast<std::size_t>(row)].fusesPerRow == 40;
    if (wide) return registered ? "gal20v8_reg.jed" : "gal20v8_comb.jed";
    return registered ? "gal16v8_reg.jed" : "gal16v8_comb.jed";
}

std::string Msg(GalSim& rig) { return rig.dlg.control("Msg").text(); }

void Load(MainBuffer& buf, int row, const std::string& file) {
    const auto r = formats::readJedecFile(buf, GeometryOf(row), PldFile(file));
    ASSERT_TRUE(r.opened);
    ASSERT_FALSE(r.checksumMismatch()) << file;
}

// The first fuse of the map that differs from the file over its QF fuses, -1 when none.
long FirstDifference(const MainBuffer& buf, const ParsedJedec& file) {
    for (std::size_t n = 0; n < file.fuses.size(); ++n)
        if (buf[static_cast<std::uint32_t>(n)] != '0' + file.fuses[n]) return static_cast<long>(n);
    return -1;
}

// Every sub-type's file carries the fuse count of the part's data sheet and the
// standard checksum over exactly those fuses; the test files read back fuse-exact
// and are written again with their own count.
TEST(GalJedec, FilesOfEverySubTypeHaveTheDataSheetCountAndChecksum) {
    const std::map<std::string, std::size_t> dataSheetFuses = {
        {"16V8", 2194}, {"20V8", 2706}, {"22V10", 5892}};
    auto countOf = [&](const std::string& chip) {
        for (const auto& [part, fuses] : dataSheetFuses)
            if (chip.find(part) != std::string::npos) return fuses;
        return std::size_t{0};
    };
    std::vector<std::pair<std::string, formats::FuseGeometry>> subTypes;
    for (const auto& r : kGalRows)
        if (r.chip) subTypes.emplace_back(r.chip, GeometryOf(static_cast<int>(&r - kGalRows.data())));
    for (const auto& r : kP22v10Rows)
        if (r.chip) subTypes.emplace_back(r.chip, P22v10Geometry(r));
    ASSERT_EQ(subTypes.size(), 11u);
    std::mt19937 random(2194);
    for (const auto& [chip, g] : subTypes) {
        SCOPED_TRACE(chip);
        MainBuffer buf;
        for (std::size_t n = 0; n < 8000; ++n) buf.data()[n] = static_cast<std::uint8_t>('0' + random() % 2);
        const std::string text = formats::jedecText(buf, g);
        const ParsedJedec p = ParseJedecText("\x02" + text + "\x03");
        ASSERT_EQ(p.fuses.size(), countOf(chip));
        EXPECT_NE(text.find("*\nQF" + std::to_string(p.fuses.size()) + "*\n"), std::string::npos);
        EXPECT_EQ(p.checksum, StandardFuseChecksum(p.fuses));
        EXPECT_EQ(FirstDifference(buf, p), -1);
    }
    const std::pair<const char*, formats::FuseGeometry> files[] = {
        {"gal16v8_comb.jed", {32, 64}},  {"gal16v8_reg.jed", {32, 64}},   {"gal20v8_comb.jed", {40, 64}},
        {"gal20v8_reg.jed", {40, 64}},   {"gal22v10_comb.jed", {44, 132}}, {"gal22v10_reg.jed", {44, 132}}};
    for (const auto& [name, g] : files) {
        SCOPED_TRACE(name);
        const ParsedJedec file = ParseJedecText(ReadText(PldFile(name)));
        EXPECT_EQ(file.checksum, StandardFuseChecksum(file.fuses));
        MainBuffer buf;
        EXPECT_FALSE(formats::readJedecFile(buf, g, PldFile(name)).checksumMismatch());
        EXPECT_EQ(FirstDifference(buf, file), -1);
        const ParsedJedec again = ParseJedecText("\x02" + formats::jedecText(buf, g) + "\x03");
        EXPECT_EQ(again.fuses, file.fuses);
        EXPECT_EQ(again.checksum, file.checksum);
    }
}

// Write row and Read row of both wirings at addresses that together use all six bits.
TEST(GalWire, RowShiftsOfBothWiringsFollowTheSignalTable) {
    struct Case {
        int row;
        bool write;
        int address;
        std::vector<std::uint8_t> ports; // hand-computed images, in the order they are written
    };
    // 43 = 101011b, 20 = 010100b.
    const Case cases[] = {
        {3, true, 43, {0x50, 0x0C, 0x1D}},  // routine 1: port 1, port 3, port 2
        {4, true, 43, {0x14, 0x29, 0x18}},  // routine 2: port 1, port 2, port 3
        {3, false, 20, {0xA0, 0x00, 0x18}}, // routine 1 read: port 1, port 3, port 2
        {4, false, 20, {0x88, 0x00, 0x28}}, // routine 2 read
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("row %d address %d %s", c.row, c.address, c.write ? "write" : "read"));
        WireRig<GalDialog> rig(c.row);
        Expect e(rig.link);
        const GalRow& row = kGalRows[static_cast<std::size_t>(c.row)];
        gal::GalShifter shifter(rig.link, row);
        const bool pins20 = row.shift == GalShift::Pins20;
        const int dataOut = pins20 ? 22 : 23;
        if (c.write) {
            shifter.writeRow(c.address, "10", 2);
            WritePort(e.link, 1, c.ports[0]);
            WritePort(e.link, pins20 ? 3 : 2, pins20 ? c.ports[1] : c.ports[1]);
            WritePort(e.link, pins20 ? 2 : 3, c.ports[2]);
            const std::uint8_t image = pins20 ? c.ports[2] : c.ports[1];
            if (pins20) SetPinLatch(e.link, dataOut, 1);
            const std::uint8_t one = image | 0x04, zero = image & ~0x04;
            for (std::uint8_t d : {one, zero}) {
                WritePort(e.link, 2, d);
                WritePort(e.link, 2, static_cast<std::uint8_t>(d | 0x02));
                WritePort(e.link, 2, d);
            }
            WritePort(e.link, 2, static_cast<std::uint8_t>(zero & ~0x08));
            Delay(e.link, 100);
            WritePort(e.link, 2, zero);
        } else {
            EXPECT_EQ(shifter.readRow(c.address, 2), "11");
            WritePort(e.link, 1, c.ports[0]);
            WritePort(e.link, 3, c.ports[1]);
            WritePort(e.link, 2, c.ports[2]);
            WritePort(e.link, 2, static_cast<std::uint8_t>(c.ports[2] & ~0x08));
            WritePort(e.link, 2, c.ports[2]);
            SetPinLatch(e.link, dataOut, 1);
            for (int k = 0; k < 2; ++k) {
                ReadPin(e.link, dataOut);
                WritePort(e.link, 2, static_cast<std::uint8_t>(c.ports[2] | 0x02));
                WritePort(e.link, 2, c.ports[2]);
            }
        }
        EXPECT_EQ(rig.log->written, e.bytes());
    }
}

TEST(GalWire, EraseAndSecMatchTheirGoldenStreamsAndSwitchVppOffBeforeVcc) {
    struct Case {
        const char* name;
        int row;
        const char* button;
        const char* message;
    } cases[] = {{"gal16v8b_erase", 3, "Erase", "OK"}, {"gal20v8_sec", 4, "Secrity", "Finished"}};
    for (const Case& c : cases) {
        auto box = std::make_shared<sim::Box>();
        auto tap = std::make_shared<std::vector<std::uint8_t>>();
        DialogRig<GalDialog> rig(c.row);
        rig.connect(std::make_unique<TappedVirtualBox>(box, tap));
        box->insert(sim::OfferForSubType(GalDialog::kFormClass, c.row)->make());
        rig.dlg.Start();
        tap->clear();
        rig.dlg.click(c.button);
        const std::string msg = rig.dlg.control("Msg").text();
        EXPECT_EQ(msg, c.message);
        EXPECT_TRUE(MatchesGolden(c.name, msg, *tap));
        Expect end(rig.link);
        const int vccPin = kGalRows[static_cast<std::size_t>(c.row)].vccPin;
        ConnectVpp(end.link, 0);
        // Every port low while Vcc is still on, but the supply pin's driver,
        // which stays with its closed switch and follows it off.
        const int supplyBit = pin::portIndex(vccPin);
        for (int n = 0; n < op::PortCount; ++n)
            WritePort(end.link, n, n == supplyBit >> 3 ? static_cast<std::uint8_t>(1u << (supplyBit & 7)) : 0);
        ConnectVcc(end.link, 0);
        PinLow(end.link, vccPin);
        end.confirmed();
        EXPECT_TRUE(end.endOf(*tap)) << c.name;
    }
}

TEST(GalDialogTest, RowSevenRefusesEveryOperationWithoutSendingAnything) {
    WireRig<GalDialog> rig(7);
    for (const char* button : {"Read1", "Erase", "Blank", "Write", "Verify", "Secrity", "Button1"}) {
        rig.dlg.control("Msg").setText("");
        rig.dlg.click(button);
        EXPECT_EQ(rig.dlg.control("Msg").text(), "Bad!") << button;
        EXPECT_TRUE(rig.dlg.failure()) << button;
    }
    EXPECT_TRUE(rig.log->written.empty());
}

TEST(GalDialogTest, ProgrammeAndAutoWithoutAFuseMapAreRefused) {
    WireRig<GalDialog> rig(3);
    rig.docs.pld = false;
    rig.dlg.click("Write");
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.fp.prompts.texts(),
              (std::vector<std::string>{"Must be JECET format <*.JED>", "No any file opened!"}));
    EXPECT_TRUE(rig.dlg.failure());
    EXPECT_TRUE(rig.log->written.empty());
}

TEST(GalDialogTest, StartOpensTheFuseMapFilledWithOnesAndShowsTheRowGeometry) {
    WireRig<GalDialog> rig(5, false);
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0');
    rig.dlg.Start();
    EXPECT_TRUE(rig.docs.pld);
    EXPECT_FALSE(rig.docs.hex);
    EXPECT_EQ(rig.docs.buf[0], '1');
    EXPECT_EQ(rig.docs.buf[5999], '1');
    EXPECT_EQ(rig.docs.buf[6000], 0);
    EXPECT_EQ(rig.docs.fusesPerRow, 40);
    EXPECT_EQ(rig.docs.fuseRows, 64);
    EXPECT_EQ(rig.dlg.control("Edit7").text(), "ANY: 27C512");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "OK ");
}

TEST(GalVirtualBox, SecuredPartReadsOnesFailsVerifyKeepsItsSignatureUntilErased) {
    for (int row : {3, 6}) {
        SCOPED_TRACE(row);
        GalSim rig(row);
        const char* file = FileFor(row, false);
        Load(rig.docs.buf, row, file);
        const ParsedJedec expected = ParseJedecText(ReadText(PldFile(file)));
        rig.dlg.click("Write");
        rig.dlg.click("Secrity");
        EXPECT_EQ(Msg(rig), "Finished");
        EXPECT_TRUE(rig.chip->secured());
        rig.dlg.click("Verify");
        EXPECT_EQ(Msg(rig), "Bad!");
        EXPECT_TRUE(rig.dlg.failure());

        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0');
        rig.dlg.click("Read1");
        const std::uint32_t base = kGalRows[static_cast<std::size_t>(row)].arrayFuses();
        EXPECT_TRUE(std::all_of(rig.docs.buf.data(), rig.docs.buf.data() + base, [](std::uint8_t f) { return f == '1'; }));
        for (std::uint32_t k = 0; k < 64; ++k)
            EXPECT_EQ(rig.docs.buf[base + 8 + k], '0' + expected.fuses[base + 8 + k]) << k;

        rig.dlg.click("Erase");
        EXPECT_FALSE(rig.chip->secured());
        rig.dlg.click("Blank");
        EXPECT_EQ(Msg(rig), "OK");
    }
}

TEST(GalVirtualBox, EmptySocketReadsOnesPassesBlankAndFailsAutoAtVerify) {
    GalSim rig(3);
    rig.chip->faults().missing = true;
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0');
    rig.dlg.click("Read1");
    EXPECT_TRUE(std::all_of(rig.docs.buf.data(), rig.docs.buf.data() + 2048, [](std::uint8_t f) { return f == '1'; }));
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig), "OK");
    Load(rig.docs.buf, 3, "gal16v8_comb.jed");
    rig.dlg.click("Button1");
    EXPECT_EQ(Msg(rig), "Bad!");
    EXPECT_TRUE(rig.dlg.failure());
}

TEST(GalVirtualBox, AutoStopsAtTheFirstFailure) {
    GalSim rig(3);
    Load(rig.docs.buf, 3, "gal16v8_comb.jed");
    rig.chip->memory()[5] = 0;
    const auto changes = rig.chip->changes();
    rig.dlg.click("Button1"); // Blank, Programe, Verify
    EXPECT_EQ(Msg(rig), "Not blank!");
    EXPECT_TRUE(rig.dlg.failure());
    EXPECT_EQ(rig.chip->changes(), changes); // Programe did not run

    rig.dlg.control("CheckBox1").setChecked(true); // Erase first
    rig.dlg.click("Button1");
    EXPECT_EQ(Msg(rig), "OK");
    EXPECT_FALSE(rig.dlg.failure());
}

} // namespace
} // namespace quarvin::test
