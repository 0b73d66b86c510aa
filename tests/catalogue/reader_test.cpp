#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/Categories.h"
#include "catalogue/DeviceListReader.h"
#include "catalogue/ParameterField.h"

namespace quarvin {
namespace {

std::vector<std::string> Pieces(const std::string& text) {
    std::istringstream in(text);
    ListPieceReader r(in);
    std::vector<std::string> out;
    std::string p;
    while (r.next(p)) out.push_back(p);
    return out;
}

TEST(DeviceListPieces, LongLinesSplitIntoPiecesOf99) {
    std::string longLine(150, 'x');
    auto pieces = Pieces(longLine + "\nshort\r\nlast");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0], std::string(99, 'x'));
    EXPECT_EQ(pieces[1], std::string(51, 'x') + "\n");
    EXPECT_EQ(pieces[2], "short\n"); // "\r\n" read as one line end
    EXPECT_EQ(pieces[3], "last");
    // A line of exactly 99 characters leaves its line end as an empty piece.
    auto exact = Pieces(std::string(99, 'y') + "\n");
    ASSERT_EQ(exact.size(), 2u);
    EXPECT_EQ(exact[1], "\n");
}

TEST(DeviceListPieces, Normalising) {
    struct Case {
        std::string piece, text;
    } cases[] = {
        {"#EPROM-AMD\n", "#EPROM-AMD"},
        {"#EPROM-AM\tD\n", "#EPROM-AM"},
        {"#EPROM-Fu\xC3\xBCjitsu\n", "#EPROM-Fu"},              // high-bit byte ends the text
        {"", ""},
        {"\n", ""},
        // Past the 50th byte bytes are kept, but the line end always goes.
        {std::string(55, 'a') + "\xE9z\n", std::string(55, 'a') + "\xE9z"},
        {std::string(52, 'c') + std::string(1, '\0') + "d\n", std::string(52, 'c')},
    };
    for (const auto& c : cases) EXPECT_EQ(NormaliseLine(c.piece), c.text) << c.piece;
}

const char* const SampleList =
    "/ leading comment, carries nothing\n"
    "loose line\n"
    "#EPROM-AMD\n"
    "Am27C64,P27 7\n"
    "/ a comment inside the section\n"
    "\n"
    "------\n"
    "Am27C256,P27 13,extra,commas\n"
    "#EEPROM-AMD\n"
    "Am29F010,P29F 3\n"
    "#EPROM no dash here\n"
    "ignored after a dashless header\n"
    "#EPROM-ST\n"
    "M27C512,P27 14\n"
    "#SERIAL-Upper\n"
    "24C02,P24 2\n"
    "#Serial-Atmel\n"
    "AT24C02,P24 2\n"
    "#EPROM-AMD\n"
    "second AMD section,P27 1\n"
    "#EP\n"
    "#EPROM-Lo\xA0ng\n";

std::vector<std::string> Manufacturers(const std::string& key) {
    std::istringstream in(SampleList);
    return ListManufacturers(in, key);
}

std::vector<TypeEntry> Types(const std::string& key, const std::string& mfr) {
    std::istringstream in(SampleList);
    return ListTypes(in, key, mfr);
}

TEST(DeviceListListing, ManufacturersByFourCharacterKey) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Manufacturers(CategoryKey(0)), (V{"AMD", "ST", "AMD", "Lo"}));
    EXPECT_EQ(Manufacturers(CategoryKey(1)), (V{"AMD"}));
    EXPECT_EQ(Manufacturers(CategoryKey(3)), (V{"Atmel"})); // "#SERIAL" does not match "#Ser"
    EXPECT_EQ(Manufacturers(CategoryKey(4)), V{});
}

TEST(DeviceListListing, TypesOfFirstMatchingSection) {
    auto amd = Types("#EPR", "AMD");
    ASSERT_EQ(amd.size(), 4u);
    EXPECT_EQ(amd[0].text, "Am27C64");
    EXPECT_EQ(amd[0].parameter, "P27 7");
    EXPECT_EQ(amd[1].text, "");           // empty line: empty entry
    EXPECT_EQ(amd[1].parameter, "---");
    EXPECT_EQ(amd[2].text, "------");     // separator
    EXPECT_EQ(amd[2].parameter, "---");
    EXPECT_EQ(amd[3].text, "Am27C256");
    EXPECT_EQ(amd[3].parameter, "P27 13,extra,commas");

    // The dashless header ends the ST-less section before it; ST has its own.
    auto st = Types("#EPR", "ST");
    ASSERT_EQ(st.size(), 1u);
    EXPECT_EQ(st[0].text, "M27C512");

    auto flash = Types("#EEP", "AMD");
    ASSERT_EQ(flash.size(), 1u);
    EXPECT_EQ(flash[0].parameter, "P29F 3");

    EXPECT_TRUE(Types("#EPR", "Nobody").empty());
    EXPECT_TRUE(Types("#EPR", "Lo").empty()); // last section: nothing follows its header
}

TEST(ParameterFieldParse, FamilySubTypeAndSignature) {
    struct Case {
        std::string field;
        std::string family;
        std::int32_t subType;
        std::array<std::uint8_t, 3> sig;
    } cases[] = {
        {"P29F 2", "P29F", 2, {0, 0, 0}},
        {"P29 2", "P29", 2, {0, 0, 0}},
        {"p29f 2", "p29f", 2, {0, 0, 0}},
        {"P27   17 extra", "P27", 17, {0, 0, 0}},
        {"P27 -3", "P27", -3, {0, 0, 0}},
        {"P27 x", "P27", 0, {0, 0, 0}},
        {"P27 99999999999", "P27", 2147483647, {0, 0, 0}},
        {"P89C51 1 #1E,51,FF", "P89C51", 1, {0x1E, 0x51, 0xFF}},
        {"P89C51 3 #1e-52-ff", "P89C51", 3, {0x1E, 0x52, 0xFF}},   // separators not examined
        {"P89C51 3 #1E,5", "P89C51", 3, {0x1E, 0x05, 0}},          // missing characters count 0
        {"P89C51 3 #ZZ,G1,51", "P89C51", 3, {0, 0, 0x51}},         // not hexadecimal counts 0
        {"P89C51 3 #1E,51,F", "P89C51", 3, {0x1E, 0x51, 0x0F}},
        {"P89C51 3 #1E,51,FFAB", "P89C51", 3, {0x1E, 0x51, 0xFF}},
        {"---", "", 0, {0, 0, 0}},                                  // no blank: opens nothing
        {"", "", 0, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        ParameterField p = ParseParameterField(c.field);
        EXPECT_EQ(p.family, c.family) << c.field;
        EXPECT_EQ(p.subType, c.subType) << c.field;
        EXPECT_EQ(p.signature, c.sig) << c.field;
    }
}

} // namespace
} // namespace quarvin
