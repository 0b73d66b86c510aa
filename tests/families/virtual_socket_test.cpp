// The "Virtual socket" window and the chip catalogue behind it: every device-list
// type of a built family has a row and a part of the same size and voltage, each
// selection inserts a blank part, contents go to and from files, and the window
// follows what the dialogs do to the chip.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "FamilyRig.h"
#include "ListedParts.h"
#include "PldTestFiles.h"
#include "catalogue/DispatchTable.h"
#include "families/sram/SramDialog.h"
#include "families/uv_eprom/UvEpromDialog.h"
#include "forms/HexText.h"
#include "sim/VirtualSocket.h"

namespace quarvin::test {
namespace {

constexpr const char* kEprom = UvEpromDialog::kFormClass;

std::string TempPath(const char* name) {
    std::string path = QUARVIN_BINARY_DIR;
    return path.append("/vsocket_").append(name);
}

TEST(ChipCatalogue, EveryListedTypeOfABuiltFamilyHasARowAndAMatchingPart) {
    int checked = 0;
    for (const ListedPart& listed : ListedParts()) {
        const ParameterField& p = listed.field;
        const char* dialog = DialogClassOf(p.family);
        if (!dialog || !Families().count(dialog)) continue;
        // A tester whose sub-type picks a class of parts (the logic IC tester's
        // libraries) takes any part of the class in its socket.
        if (Families().at(dialog).firstSubType == 0) continue;
        SCOPED_TRACE(listed.type);
        const auto rows = Families().at(dialog).subTypes();
        ASSERT_GE(p.subType, 1);
        ASSERT_LT(p.subType, static_cast<int>(rows.size()));
        const SubTypeSummary& row = rows[static_cast<std::size_t>(p.subType)];
        const std::string& typeName = listed.type;
        const sim::ChipOffer* offer = sim::OfferForDevice(dialog, p.subType, typeName);
        ASSERT_NE(offer, nullptr) << "no part for row " << row.name;
        // A model of the very part the line names is the one inserted.
        for (const sim::ChipOffer& other : sim::ChipOffers()) {
            if (other.family == dialog && other.subType == p.subType && sim::NamesPart(other.label, typeName)) {
                EXPECT_TRUE(sim::NamesPart(offer->label, typeName)) << offer->label;
            }
        }
        const auto chip = offer->make();
        EXPECT_EQ(chip->memory().size(), row.size) << row.name;
        EXPECT_EQ(chip->ratedVppMillivolts(), row.vppMillivolts) << row.name;
        // A programming voltage in the type's name, "(21V)", is the row's.
        const auto open = typeName.find('('), volts = typeName.find("V)");
        if (open != std::string::npos && volts != std::string::npos && volts > open + 1) {
            EXPECT_EQ(static_cast<int>(std::stod(typeName.substr(open + 1, volts - open - 1)) * 1000 + 0.5),
                      row.vppMillivolts);
        }
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

// Rows that no known part fits: the box offers a generic part of the row's size,
// and no device-list line selects them.
TEST(ChipCatalogue, RowsWithoutAKnownPartHaveAGenericPartAndNoListLine) {
    struct Case {
        const char* family; // device-list family name
        int subType;
        const char* genericPart;
    } cases[] = {{"P29F", 1, "29F256"}, {"AT28CX", 2, "28C257"}, {"AT28CX", 3, "28C512"},
                 {"AT28CX", 5, "28C020"}, {"AT28CX", 7, "28C040A"}, {"P29", 1, "29EE256"},
                 {"P29", 2, "29EE257"},   {"P29", 7, "29EE040A"}};
    const std::vector<ListedPart> listed = ListedParts();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.family << " " << c.subType);
        for (const ListedPart& p : listed) EXPECT_FALSE(p.field.family == c.family && p.field.subType == c.subType);
        const sim::ChipOffer* offer = sim::OfferForSubType(DialogClassOf(c.family), c.subType);
        ASSERT_NE(offer, nullptr);
        EXPECT_EQ(offer->label, c.genericPart);
    }
}

struct SocketRig : DialogRig<UvEpromDialog> {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    sim::VirtualSocket window{box, fp.platform};
    SocketRig() : DialogRig(14) { connect(std::make_unique<sim::VirtualBoxTransport>(box)); }
    std::string text(const char* name) { return window.control(name).text(); }
};

// Each selection inserts a blank part of the selected row, or of the type its
// device-list line names (saying which model stands in), or empties the socket.
TEST(VirtualSocket, EachSelectionInsertsABlankPartOfTheSelectedType) {
    SocketRig rig;
    const char* sram = SramDialog::kFormClass;
    struct Case {
        const char *dialog, *typeName;
        int subType;
        const char *inSocket, *sum, *message; // sum: "" with no part; nullptr: not checked
    } cases[] = {
        {kEprom, "", 14, "27c512 12.7v", "00ff0000", nullptr},
        {kEprom, "", 3, "2716 25v", "0007f800", nullptr},
        {kEprom, "", 22, "(empty)", "", nullptr},
        {"TPi28f001x", "", 1, "(empty)", "", nullptr},
        {sram, "HM62256", 4, "HM62256", nullptr, "Blank HM62256 inserted"},
        {sram, "HM6264", 2, "HM6264", nullptr, "Blank HM6264 inserted"},
        {sram, "DS1230Y", 4, "DS1230Y", nullptr, "Blank DS1230Y inserted"},
        {sram, "W24129", 3, "W24129A", nullptr, "Blank W24129A inserted"},
        {sram, "DS1245AB", 6, "DS1245Y", nullptr, "Blank DS1245Y inserted: the closest model of DS1245AB"},
        {sram, "", 2, "DS1225AB", nullptr, "Blank DS1225AB inserted"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dialog) + " " + std::to_string(c.subType) + " " + c.typeName);
        rig.window.deviceSelected(c.dialog, c.subType, c.typeName);
        EXPECT_EQ(rig.text("InSocket"), c.inSocket);
        if (c.sum) {
            EXPECT_EQ(rig.text("Sum"), c.sum);
            EXPECT_EQ(rig.box->socket().chip() != nullptr, *c.sum != '\0');
        }
        if (c.message) {
            EXPECT_EQ(rig.text("Message"), c.message);
        }
    }
    // A fresh blank part each time, even for the same type.
    rig.window.deviceSelected(kEprom, 14);
    rig.window.chip()->memory()[0] = 0;
    rig.window.deviceSelected(kEprom, 14);
    EXPECT_EQ(rig.window.chip()->memory()[0], 0xFF);
}

TEST(VirtualSocket, LoadSaveAndEraseTheContents) {
    SocketRig rig;
    rig.window.deviceSelected(kEprom, 1); // 2 KiB
    const std::string in = TempPath("in.bin"), out = TempPath("out.bin"), missing = TempPath("missing.bin");
    std::uint32_t sum = 0;
    {
        std::ofstream f(in, std::ios::binary);
        for (int i = 0; i < 3000; ++i) f.put(static_cast<char>(i & 0x7F));
        for (int i = 0; i < 2048; ++i) sum += static_cast<std::uint32_t>(i & 0x7F);
    }
    rig.fp.files.openNames.push_back(in);
    rig.window.click("Load");
    EXPECT_EQ(rig.text("Message"), "Loaded the first 2048 of 3000 bytes");
    EXPECT_EQ(rig.window.chip()->memory()[0x7FF], 0x7F);
    EXPECT_EQ(rig.text("Sum"), Format("%08x", sum));

    rig.fp.files.saveNames.push_back(out);
    rig.window.click("Save");
    std::ifstream back(out, std::ios::binary);
    std::vector<char> saved((std::istreambuf_iterator<char>(back)), std::istreambuf_iterator<char>());
    ASSERT_EQ(saved.size(), 2048u);
    EXPECT_EQ(saved[100], 100);

    rig.fp.files.openNames.push_back(missing);
    rig.window.click("Load");
    EXPECT_EQ(rig.text("Message"), "Cannot open " + missing);
    EXPECT_EQ(rig.window.chip()->memory()[100], 100); // unchanged

    rig.window.click("Erase");
    EXPECT_EQ(rig.text("Sum"), "0007f800");
    std::remove(in.c_str());
    std::remove(out.c_str());

    rig.window.click("Remove");
    rig.window.click("Erase");
    EXPECT_EQ(rig.text("Message"), "No chip in the socket");
}

TEST(VirtualSocket, InjectedFaultsShowInTheDialogAndTheWindowFollowsTheChip) {
    SocketRig rig;
    rig.window.deviceSelected(kEprom, 14);
    rig.dlg.Start();
    auto set = [&](const char* name, const char* text) { rig.window.control(name).setText(text); };
    set("StuckAddress", "10");
    set("StuckMask", "80");
    set("StuckValue", "0");
    rig.window.click("AddStuck");
    set("NoProgramAddress", "20");
    rig.window.click("AddNoProgram");
    EXPECT_EQ(rig.text("Message"), "Cell 000020 will not program");

    rig.field("Edit3", "ff");
    rig.dlg.click("Blank"); // bit 7 of 0x10 reads 0
    EXPECT_EQ(rig.msg(), "000010: Not blank ");
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x20, 0xFF);
    rig.docs.buf[0x10] = 0x7F;
    rig.docs.buf[0x20] = 0x00;
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Programe Failured! at 000020");

    // The window shows what the dialog did to the chip once it looks again.
    const std::string blankSum = "00ff0000";
    EXPECT_EQ(rig.text("Sum"), blankSum);
    rig.window.refreshIfChanged();
    EXPECT_EQ(rig.text("Sum"), Format("%08x", 0xFF0000u - 0x80u)); // 0x10 took 0x7f
    rig.window.click("ClearFaults");
    rig.docs.buf[0x30] = 0x0F;
    rig.field("Edit3", "ff");
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "OK!");
    rig.window.refreshIfChanged();
    EXPECT_EQ(rig.text("Sum"), Format("%08x", rig.window.chip()->checksum()));
    EXPECT_EQ(rig.window.chip()->memory()[0x30], 0x0F);

    set("StuckMask", "1ff");
    rig.window.click("AddStuck");
    EXPECT_EQ(rig.text("Message"), "Stuck bits need a hex address, mask and value");

    // Seating faults by their command-line names; one that does not fit the part is refused.
    for (const auto& [text, said] : {std::pair{"nocontact:22", "Fault nocontact:22 added"},
                                     std::pair{"offset:9", "sits at most 6 rows higher in a 40-pin socket"},
                                     std::pair{"reversal", "bad fault"}}) {
        set("FaultText", text);
        rig.window.click("AddFault");
        EXPECT_NE(rig.text("Message").find(said), std::string::npos) << rig.text("Message");
    }
    EXPECT_EQ(rig.window.chip()->faults().seating.openContacts, sim::pinBit(22));
    EXPECT_EQ(rig.window.chip()->faults().seating.rowsHigher, 0);
}

// A logic device: the window grows a fuse map with the security cell, loads
// design files and saves the chip as JEDEC files, and bulk-erases.
TEST(VirtualSocket, ALogicDeviceShowsItsFuseMapAndTakesJedecFiles) {
    SocketRig rig;
    rig.window.deviceSelected("TGALx", 3);
    const auto& fuses = rig.window.chip()->memory();
    ASSERT_EQ(rig.text("InSocket"), "GAL16V8B");
    EXPECT_TRUE(rig.window.control("Fuses").visible());
    EXPECT_EQ(rig.text("Security"), "off (G0)");
    EXPECT_EQ(rig.text("Sum"), Format("%04X (JEDEC C)", StandardFuseChecksum(std::vector<int>(2194, 1))));
    const std::string map = rig.text("FuseMap");
    EXPECT_EQ(map.substr(0, 39), "L0000 " + std::string(32, '1') + "\n");
    EXPECT_EQ(map.substr(map.rfind('\n') + 1), "L2176 " + std::string(18, '1'));

    const ParsedJedec design = ParseJedecText(ReadText(PldFile("gal16v8_reg.jed")));
    std::string secured = ReadText(PldFile("gal16v8_comb.jed"));
    secured.replace(secured.find("G0*"), 3, "G1*");
    const std::string securedPath = TempPath("secured.jed"), badSumPath = TempPath("badsum.jed");
    std::ofstream(securedPath, std::ios::binary) << secured;
    std::string badSum = ReadText(PldFile("gal16v8_reg.jed"));
    badSum.replace(badSum.find("\nC") + 2, 4, "0000");
    std::ofstream(badSumPath, std::ios::binary) << badSum;

    rig.fp.files.openNames.push_back(PldFile("gal16v8_reg.jed"));
    rig.window.click("Load");
    EXPECT_EQ(rig.text("Message"), "Loaded gal16v8_reg.jed: 2194 fuses, security off");
    EXPECT_TRUE(std::equal(design.fuses.begin(), design.fuses.end(), fuses.begin()));
    EXPECT_EQ(rig.text("Sum"), Format("%04X (JEDEC C)", design.checksum));
    // Another part's file, and a file with a wrong checksum, which loads with a warning.
    rig.fp.files.openNames.push_back(PldFile("gal22v10_comb.jed"));
    rig.window.click("Load");
    EXPECT_NE(rig.text("Message").find("gal22v10_comb.jed lists 5892 fuses; a GAL16V8B has 2194"), std::string::npos);
    EXPECT_TRUE(std::equal(design.fuses.begin(), design.fuses.end(), fuses.begin()));
    rig.fp.files.openNames.push_back(badSumPath);
    rig.window.click("Load");
    EXPECT_EQ(rig.text("Message"), Format("Loaded vsocket_badsum.jed: 2194 fuses, security off "
                                          "(JEDEC checksum %04X, file says 0000)", design.checksum));

    rig.fp.files.openNames.push_back(securedPath);
    rig.window.click("Load");
    EXPECT_EQ(rig.text("Security"), "on (G1): array and architecture read as 1");
    const std::string saved = TempPath("saved.jed");
    rig.fp.files.saveNames.push_back(saved);
    rig.window.click("Save");
    EXPECT_EQ(rig.text("Message"), "Saved 2194 fuses as a JEDEC file");
    const std::string savedText = ReadText(saved);
    EXPECT_NE(savedText.find("G1*"), std::string::npos);
    EXPECT_EQ(ParseJedecText(savedText).fuses, ParseJedecText(secured).fuses);

    rig.window.click("Erase");
    EXPECT_EQ(rig.text("Message"), "Bulk erased: every fuse 1, security off");
    EXPECT_EQ(rig.text("Security"), "off (G0)");
    EXPECT_TRUE(std::all_of(fuses.begin(), fuses.end(), [](std::uint8_t f) { return f == 1; }));

    // Every file dialog the window opened lists all files first.
    for (const FileDialogRequest& r : rig.fp.files.requests) EXPECT_EQ(r.filter.rfind("All files (*.*)|*.*|", 0), 0u);
    rig.window.deviceSelected(kEprom, 14);
    EXPECT_FALSE(rig.window.control("Fuses").visible());
    EXPECT_EQ(rig.window.width(), 380);
    for (const std::string& p : {securedPath, badSumPath, saved}) std::remove(p.c_str());
}

} // namespace
} // namespace quarvin::test
