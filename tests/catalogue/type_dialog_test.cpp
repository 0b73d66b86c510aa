#include <gtest/gtest.h>

#include "CatalogueFixture.h"
#include "catalogue/TUnavailable.h"

namespace quarvin::test {
namespace {

using Strings = std::vector<std::string>;

// One section a line.
const char* const List =
    "#EPROM-AMD\nAm27C64,P27 7\nAm27C256,P27 13\n------\n"
    "#EPROM-Intel\n2716,P27 3\n"
    "#EEPROM-AMD\nAm29F010,P29F 3\nAm29F040,P29F 5\nSST29EE010,P29 4\nlower,p29f 2\nnothing known,XYZ 1\n"
    "beyond the table,P29F 999\n"
    "#EEPROM-SST\nSST29EE020,P29 5\n"
    "#RAM(Test)-Dallas\nDS1220AB,DSRAM 1\n6116,TESTRAM 1\n"
    "#RAM(Test)-Dallas\nfrom the second section,DSRAM 8\n"
    "#MPU-Atmel\nAT89C51,P89C51 1 #1E,51,FF\nAT89C2051,P2051 2\n";

class TypeDialogTest : public CatalogueTest {
protected:
    void SetUp() override { writeList("devicea.lst", List); }
};

TEST_F(TypeDialogTest, CategoryListsManufacturersAndKeepsTheManufacturerName) {
    choose(0);
    EXPECT_EQ(c("ListBox1").items(), (Strings{"AMD", "Intel"}));
    EXPECT_EQ(c("ListBox2").items(), (Strings{"Am27C64", "Am27C256", "------"}));
    EXPECT_EQ(display.manufacturerText, "AMD");
    dialog().userSetIndex("ListBox1", 1);
    dialog().keyDown("ListBox1", KeyDown);  // the keyboard browses without touching the main window's box
    EXPECT_EQ(c("ListBox2").items(), Strings{"2716"});
    EXPECT_EQ(display.manufacturerText, "AMD");
    choose(1);  // "Intel" has no EEPROM: replaced by the first
    EXPECT_EQ(dialog().selectedManufacturer, "AMD");
    choose(4);  // nothing in this category: the name stays, the lists empty
    EXPECT_TRUE(c("ListBox1").items().empty() && c("ListBox2").items().empty());
    EXPECT_EQ(dialog().selectedManufacturer, "AMD");
    dialog().click("OKBtn");
    EXPECT_TRUE(dialog().selection().family.empty());
    // A manufacturer listed twice selects its last row but lists the first section.
    dialog().selectedManufacturer = "Dallas";
    choose(5);
    EXPECT_EQ(c("ListBox1").items(), (Strings{"Dallas", "Dallas"}));
    EXPECT_EQ(c("ListBox1").itemIndex(), 1);
    EXPECT_EQ(c("ListBox2").items(), (Strings{"DS1220AB", "6116"}));
}

TEST_F(TypeDialogTest, ConfirmationFillsSelectionAndMainWindow) {
    dialog().show();
    choose(1);
    confirm(1);
    const SelectionState& s = dialog().selection();
    EXPECT_EQ(std::tie(s.family, s.subType, s.description), std::make_tuple("P29F", 5, "AMD: Am29F040"));
    EXPECT_EQ(display.typeLabel, "Type:  AMD: Am29F040");
    EXPECT_EQ(display.panels, (std::map<int, std::string>{{2, "AMD"}, {3, "Am29F040"}}));
    EXPECT_EQ(display.row, 1);
    EXPECT_FALSE(dialog().visible());
    EXPECT_EQ(probe("TP29fxxx")->subTypes, std::vector<std::int32_t>{5});
    dialog().selectedManufacturer = "Atmel";
    choose(2);
    confirm(0);
    EXPECT_EQ(dialog().selection().expectedSignature, (std::array<std::uint8_t, 3>{0x1E, 0x51, 0xFF}));
}

TEST_F(TypeDialogTest, DispatchKeepsOneInstancePerClass) {
    choose(1);
    confirm(0);  // P29F
    confirm(2);  // P29
    confirm(1);  // P29F again: the same instance, started again
    confirm(3);  // lower case and unknown family names open nothing
    confirm(4);
    EXPECT_EQ(dialog().selection().typeName, "nothing known");
    confirm(5);  // a sub-type the family has no row for opens nothing and says why
    ASSERT_EQ(fake.prompts.texts().size(), 1u);
    EXPECT_NE(fake.prompts.texts()[0].find("AMD: beyond the table: the device list gives sub-type 999, but TP29fxxx "
                                           "has sub-types 1.."), std::string::npos) << fake.prompts.texts()[0];
    EXPECT_EQ(probe("TP29fxxx")->subTypes, (std::vector<std::int32_t>{3, 5}));
    EXPECT_EQ(probe("TP29e")->subTypes, std::vector<std::int32_t>{4});
    EXPECT_TRUE(probe("TP29e")->visible());  // the other family's dialog stays open
    dialog().selectedManufacturer = "Dallas";
    choose(5);
    confirm(0);  // DSRAM
    confirm(1);  // TESTRAM: the same dialog
    EXPECT_EQ(probe("TDsRAM")->subTypes, (std::vector<std::int32_t>{1, 1}));
    EXPECT_EQ(fake.windows.created, (Strings{"TP29fxxx", "TP29e", "TDsRAM"}));
    choose(0);
    dialog().show();
    confirm(2);  // a separator opens nothing and leaves the dialog open
    EXPECT_TRUE(dialog().visible());
    EXPECT_EQ(fake.windows.created.size(), 3u);
}

TEST_F(TypeDialogTest, UnbuiltFamiliesShareTheUnavailableDialogWhichResetsTheSocket) {
    auto log = connect("other from COM2");
    dialog().selectedManufacturer = "Atmel";
    choose(2);
    log->clear();
    confirm(0);  // P89C51
    FamilyDialog* first = dialog().dispatcher().existing("TP89c5x");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->className(), TUnavailable::ClassName);
    EXPECT_TRUE(first->visible());
    EXPECT_NE(first->control("Message").text().find("not available in this version"), std::string::npos);
    ASSERT_GE(log->written.size(), 2u);
    EXPECT_EQ(log->written[0], 13);  // ResetSocket releases every pin first
    confirm(1);  // P2051: another class, the same dialog
    EXPECT_EQ(dialog().dispatcher().existing("TP2051x"), first);
    EXPECT_NE(first->control("Message").text().find("AT89C2051"), std::string::npos);
    EXPECT_EQ(fake.windows.created, Strings{TUnavailable::ClassName});
    log->clear();
    first->click("CancelBtn");
    EXPECT_FALSE(first->visible());
    ASSERT_GE(log->written.size(), 2u);
    EXPECT_EQ(log->written[0], 26);  // ShutDownSocket switches Vcc off: Vcc latch A all open
    EXPECT_EQ(log->written[1], 0xFF);
}

TEST_F(TypeDialogTest, ProgrammeReopensTheConfirmedDeviceAfterTheListMoved) {
    choose(1);
    confirm(0);  // Am29F010, P29F 3
    display.row = 2;
    c("ListBox2").setItemIndex(2);
    dialog().ProgClick();
    EXPECT_TRUE(fake.prompts.texts().empty());  // both lists agree: no warning
    display.row = 1;
    dialog().ProgClick();
    EXPECT_EQ(fake.prompts.texts(), Strings{"Plesse double click mouse left button"});
    EXPECT_EQ(display.row, 2);
    EXPECT_EQ(probe("TP29fxxx")->subTypes, (std::vector<std::int32_t>{3, 3, 3}));
    EXPECT_EQ(probe("TP29e"), nullptr);
}

TEST_F(TypeDialogTest, BoardModelChoosesTheFileAndAMissingFileIsReported) {
    writeList("device.lst", "#EPROM-Model B\nx,P27 1\n");
    writeList("devicec.lst", "#EPROM-Model C\nx,P27 1\n");
    choose(0);  // soft-run: the ground probe reads 255, model 'a'
    EXPECT_EQ(c("ListBox1").items(), (Strings{"AMD", "Intel"}));
    auto log = connect("pemrav13 from COM1");
    log->defaultReply = 0x00;  // pin 31 reads low while grounded: the probe passes
    choose(0);
    EXPECT_EQ(c("ListBox1").items(), Strings{"Model B"});
    link.identification = "quarvinc from COM3";
    choose(0);
    EXPECT_EQ(c("ListBox1").items(), Strings{"Model C"});
    std::filesystem::remove(dir / "devicec.lst");
    choose(1);  // the lists stay as they were
    EXPECT_EQ(fake.prompts.texts(), Strings{"No DEVICEx.LST file!"});
    EXPECT_EQ(c("ListBox1").items(), Strings{"Model C"});
}

} // namespace
} // namespace quarvin::test
