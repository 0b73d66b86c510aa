#include <gtest/gtest.h>

#include "CatalogueFixture.h"
#include "catalogue/TUnavailable.h"

namespace quarvin::test {
namespace {

const char* const List =
    "#EPROM-AMD\n"
    "Am27C64,P27 7\n"
    "Am27C256,P27 13\n"
    "------\n"
    "Am27C512,P27 14\n"
    "#EPROM-Intel\n"
    "2716,P27 3\n"
    "#EEPROM-AMD\n"
    "Am29F010,P29F 3\n"
    "Am29F040,P29F 5\n"
    "SST29EE010,P29 4\n"
    "lower,p29f 2\n"
    "no blank,P29F\n"
    "nothing known,XYZ 1\n"
    "#EEPROM-SST\n"
    "SST29EE020,P29 5\n"
    "#RAM(Test)-Dallas\n"
    "DS1220AB,DSRAM 1\n"
    "6116,TESTRAM 1\n"
    "#RAM(Test)-Dallas\n"
    "from the second section,DSRAM 8\n"
    "#MPU-Atmel\n"
    "AT89C51,P89C51 1 #1E,51,FF\n"
    "AT89C2051,P2051 2\n";

class TypeDialogTest : public CatalogueTest {
protected:
    void SetUp() override { writeList("devicea.lst", List); }
    Control& c(const char* name) { return dialog().control(name); }
    void choose(int category) { dialog().userSetIndex("RadioGroup1", category); }
    void pickManufacturer(int row) {
        dialog().control("ListBox1").setItemIndex(row);
        dialog().click("ListBox1");
    }
    void confirm(int row) {
        dialog().control("ListBox2").setItemIndex(row);
        dialog().click("OKBtn");
    }
};

TEST_F(TypeDialogTest, CategoryListsManufacturersAndTypes) {
    choose(0);
    EXPECT_EQ(c("ListBox1").items(), (std::vector<std::string>{"AMD", "Intel"}));
    EXPECT_EQ(c("ListBox1").itemIndex(), 0);
    EXPECT_EQ(c("ListBox2").items(), (std::vector<std::string>{"Am27C64", "Am27C256", "------", "Am27C512"}));
    EXPECT_EQ(display.manufacturers, c("ListBox1").items());
    EXPECT_EQ(display.types, c("ListBox2").items());
    EXPECT_EQ(display.manufacturerText, "AMD");
    EXPECT_EQ(display.category, 0);

    // The same manufacturer in another category keeps its name; one missing is replaced.
    dialog().selectedManufacturer = "Intel";
    choose(1);
    EXPECT_EQ(dialog().selectedManufacturer, "AMD");
    choose(1);
    pickManufacturer(1);
    EXPECT_EQ(dialog().selectedManufacturer, "SST");
    choose(0);
    EXPECT_EQ(dialog().selectedManufacturer, "AMD");
    EXPECT_EQ(dialog().categoryKey, "#EPR");
}

TEST_F(TypeDialogTest, EmptyCategoryKeepsManufacturerAndEmptiesTypes) {
    choose(0);
    pickManufacturer(1);
    choose(4); // no "#PLD" section
    EXPECT_TRUE(c("ListBox1").items().empty());
    EXPECT_TRUE(c("ListBox2").items().empty());
    EXPECT_EQ(dialog().selectedManufacturer, "Intel");
    // Nothing to confirm: the selection and dialogs stay as they were.
    dialog().click("OKBtn");
    EXPECT_TRUE(dialog().selection().family.empty());
    EXPECT_TRUE(fake.windows.created.empty());
}

TEST_F(TypeDialogTest, DuplicateManufacturerSelectsLastRowButListsFirstSection) {
    dialog().selectedManufacturer = "Dallas";
    choose(5);
    EXPECT_EQ(c("ListBox1").items(), (std::vector<std::string>{"Dallas", "Dallas"}));
    EXPECT_EQ(c("ListBox1").itemIndex(), 1);
    EXPECT_EQ(c("ListBox2").items(), (std::vector<std::string>{"DS1220AB", "6116"}));
}

TEST_F(TypeDialogTest, KeyboardBrowsesWithoutTouchingManufacturerBox) {
    choose(0);
    dialog().userSetIndex("ListBox1", 1);
    dialog().keyDown("ListBox1", KeyDown);
    EXPECT_EQ(dialog().selectedManufacturer, "Intel");
    EXPECT_EQ(c("ListBox2").items(), (std::vector<std::string>{"2716"}));
    EXPECT_EQ(display.manufacturerText, "AMD");
    pickManufacturer(1);
    EXPECT_EQ(display.manufacturerText, "Intel");
}

TEST_F(TypeDialogTest, ConfirmationFillsSelectionAndMainWindow) {
    dialog().show();
    choose(1);
    confirm(1);
    const SelectionState& s = dialog().selection();
    EXPECT_EQ(s.family, "P29F");
    EXPECT_EQ(s.subType, 5);
    EXPECT_EQ(s.typeName, "Am29F040");
    EXPECT_EQ(s.description, "AMD: Am29F040");
    EXPECT_EQ(display.typeLabel, "Type:  AMD: Am29F040");
    EXPECT_EQ(display.panels[2], "AMD");
    EXPECT_EQ(display.panels[3], "Am29F040");
    EXPECT_EQ(display.typeName, "Am29F040");
    EXPECT_EQ(display.row, 1);
    EXPECT_EQ(dialog().typeRow, 1);
    EXPECT_EQ(dialog().manufacturerRow, 0);
    EXPECT_FALSE(dialog().visible());
    ASSERT_NE(probe("TP29fxxx"), nullptr);
    EXPECT_EQ(probe("TP29fxxx")->subTypes, (std::vector<std::int32_t>{5}));
    EXPECT_TRUE(probe("TP29fxxx")->visible());

    dialog().selectedManufacturer = "Atmel";
    choose(2);
    confirm(0);
    EXPECT_EQ(dialog().selection().expectedSignature, (std::array<std::uint8_t, 3>{0x1E, 0x51, 0xFF}));
}

TEST_F(TypeDialogTest, SeparatorsAndUnknownFamiliesOpenNothing) {
    choose(0);
    confirm(1);
    ASSERT_EQ(dialog().selection().typeName, "Am27C256");
    dialog().show();
    confirm(2); // "------"
    EXPECT_EQ(dialog().selection().typeName, "Am27C256");
    EXPECT_TRUE(dialog().visible());

    choose(1);
    for (int row : {3, 4, 5}) { // lower case, no blank, unknown name
        size_t before = fake.windows.created.size();
        confirm(row);
        EXPECT_EQ(fake.windows.created.size(), before) << row;
        EXPECT_FALSE(dialog().visible());
    }
    EXPECT_EQ(dialog().selection().typeName, "nothing known");
}

TEST_F(TypeDialogTest, DispatchKeepsOneInstancePerClass) {
    choose(1);
    confirm(0);          // P29F
    confirm(2);          // P29
    confirm(1);          // P29F again: same instance, started again
    ASSERT_NE(probe("TP29fxxx"), nullptr);
    EXPECT_EQ(probe("TP29fxxx")->subTypes, (std::vector<std::int32_t>{3, 5}));
    EXPECT_EQ(probe("TP29e")->subTypes, (std::vector<std::int32_t>{4}));
    EXPECT_TRUE(probe("TP29e")->visible()); // the other family's dialog stays open

    dialog().selectedManufacturer = "Dallas";
    choose(5);
    confirm(0); // DSRAM
    confirm(1); // TESTRAM: the same dialog
    EXPECT_EQ(probe("TDsRAM")->starts, 2);
    EXPECT_EQ(fake.windows.created, (std::vector<std::string>{"TP29fxxx", "TP29e", "TDsRAM"}));
}

TEST_F(TypeDialogTest, UnbuiltFamiliesShareTheUnavailableDialog) {
    dialog().selectedManufacturer = "Atmel";
    choose(2);
    confirm(0); // P89C51
    FamilyDialog* first = dialog().dispatcher().existing("TP89c5x");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->className(), TUnavailable::ClassName);
    EXPECT_TRUE(first->visible());
    EXPECT_NE(first->control("Message").text().find("not available in this version"), std::string::npos);
    EXPECT_NE(first->control("Message").text().find("AT89C51"), std::string::npos);

    confirm(1); // P2051: another class, the same shared dialog
    EXPECT_EQ(dialog().dispatcher().existing("TP2051x"), first);
    EXPECT_NE(first->control("Message").text().find("AT89C2051"), std::string::npos);
    EXPECT_EQ(fake.windows.created, (std::vector<std::string>{TUnavailable::ClassName}));

    first->click("CancelBtn");
    EXPECT_FALSE(first->visible());
}

TEST_F(TypeDialogTest, UnavailableDialogResetsAndShutsDownTheSocket) {
    auto log = connect("other from COM2");
    dialog().selectedManufacturer = "Atmel";
    choose(2);
    log->clear();
    confirm(0);
    FamilyDialog* dlg = dialog().dispatcher().existing("TP89c5x");
    ASSERT_NE(dlg, nullptr);
    // ResetSocket releases every pin first: SetPinLatch(1, 0) is control register 0.
    ASSERT_GE(log->written.size(), 2u);
    EXPECT_EQ(log->written[0], 13);
    log->clear();
    dlg->close();
    // ShutDownSocket switches Vcc off: Vcc latch A all open.
    ASSERT_GE(log->written.size(), 2u);
    EXPECT_EQ(log->written[0], 26);
    EXPECT_EQ(log->written[1], 0xFF);
}

TEST_F(TypeDialogTest, ProgrammeReopensTheConfirmedDevice) {
    choose(1);
    confirm(0); // Am29F010, P29F 3
    display.row = 2;                               // the main window's list moved
    dialog().control("ListBox2").setItemIndex(2);  // and so did this dialog's
    dialog().ProgClick();
    EXPECT_TRUE(fake.prompts.texts().empty());     // both lists agree: no warning
    display.row = 1;
    dialog().ProgClick();
    EXPECT_EQ(fake.prompts.texts(), (std::vector<std::string>{"Plesse double click mouse left button"}));
    EXPECT_EQ(display.row, 2);
    EXPECT_EQ(probe("TP29fxxx")->subTypes, (std::vector<std::int32_t>{3, 3, 3}));
    EXPECT_EQ(probe("TP29e"), nullptr);
}

TEST_F(TypeDialogTest, StartUpReopensTheRestoredRow) {
    dialog().setCategoryIndex(1);
    dialog().selectedManufacturer = "SST";
    dialog().typeRow = 0;
    dialog().StartUp();
    EXPECT_EQ(dialog().selection().family, "P29");
    EXPECT_EQ(probe("TP29e")->subTypes, (std::vector<std::int32_t>{5}));
    EXPECT_EQ(display.typeLabel, "<Device>SST: SST29EE020");
}

TEST_F(TypeDialogTest, RememberedRowPastTheEndSelectsNothing) {
    dialog().typeRow = 3;
    dialog().selectedManufacturer = "Intel";
    choose(0);
    EXPECT_EQ(c("ListBox2").itemIndex(), -1);
    EXPECT_EQ(display.row, -1);
    dialog().StartUp();
    EXPECT_TRUE(fake.windows.created.empty());
    EXPECT_EQ(display.typeLabel, "<Device>");
}

TEST_F(TypeDialogTest, BoardModelChoosesTheFile) {
    writeList("device.lst", "#EPROM-Model B\nx,P27 1\n");
    writeList("devicec.lst", "#EPROM-Model C\nx,P27 1\n");
    choose(0); // soft-run: the ground probe reads 255, model 'a'
    EXPECT_EQ(c("ListBox1").items(), (std::vector<std::string>{"AMD", "Intel"}));

    auto log = connect("pemrav13 from COM1");
    log->defaultReply = 0x00; // pin 31 reads low while grounded: the probe passes
    choose(0);
    EXPECT_EQ(c("ListBox1").items(), (std::vector<std::string>{"Model B"}));
    link.identification = "quarvinc from COM3";
    choose(0);
    EXPECT_EQ(c("ListBox1").items(), (std::vector<std::string>{"Model C"}));
}

TEST_F(TypeDialogTest, MissingFileIsReportedAndListsStay) {
    choose(0);
    std::filesystem::remove(dir / "devicea.lst");
    choose(1);
    EXPECT_EQ(fake.prompts.texts(), (std::vector<std::string>{"No DEVICEx.LST file!"}));
    EXPECT_EQ(c("ListBox1").items(), (std::vector<std::string>{"AMD", "Intel"}));
    EXPECT_EQ(c("ListBox2").items().size(), 4u);
    pickManufacturer(1);
    EXPECT_EQ(fake.prompts.texts().size(), 2u);
    EXPECT_EQ(c("ListBox2").items().size(), 4u);
}

} // namespace
} // namespace quarvin::test
