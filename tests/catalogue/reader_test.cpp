#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/Categories.h"
#include "catalogue/DeviceListReader.h"
#include "catalogue/ParameterField.h"

namespace quarvin {
namespace {

using Strings = std::vector<std::string>;

Strings Pieces(const std::string& text) {
    std::istringstream in(text);
    ListPieceReader r(in);
    Strings out;
    for (std::string p; r.next(p);) out.push_back(p);
    return out;
}

TEST(DeviceListReader, LongLinesComeInPiecesAndLineEndsAreStripped) {
    const std::string x150(150, 'x'), y99(99, 'y');
    EXPECT_EQ(Pieces(x150 + "\nshort\r\nlast"), (Strings{x150.substr(0, 99), x150.substr(99) + "\n", "short\n", "last"}));
    EXPECT_EQ(Pieces(y99 + "\n"), (Strings{y99, "\n"}));
    struct Case { std::string piece, text; } cases[] = {
        {"#EPROM-AMD\n", "#EPROM-AMD"},
        {"#EPROM-AM\tD\n", "#EPROM-AM"},
        {"#EPROM-Fu\xC3\xBCjitsu\n", "#EPROM-Fu"},  // a byte of 128 or above ends the name
        {"\n", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(NormaliseLine(c.piece), c.text) << c.piece;
    // Past the 50th byte such bytes are kept, but the line end always goes.
    const std::string a55(55, 'a');
    EXPECT_EQ(NormaliseLine(a55 + "\xE9z\n"), a55 + "\xE9z");
}

// Comments, a loose line and a separator; a dashless header whose lines count for
// nothing; keys of another case; a manufacturer listed twice; a high byte in a name.
const char* const SampleList =
    "/ leading comment\nloose line\n"
    "#EPROM-AMD\nAm27C64,P27 7\n/ a comment inside the section\n\n------\nAm27C256,P27 13,extra,commas\n"
    "#EEPROM-AMD\nAm29F010,P29F 3\n"
    "#EPROM no dash here\nignored after a dashless header\n"
    "#EPROM-ST\nM27C512,P27 14\n"
    "#SERIAL-Upper\n24C02,P24 2\n"
    "#Serial-Atmel\nAT24C02,P24 2\n"
    "#EPROM-AMD\nsecond AMD section,P27 1\n"
    "#EPROM-Lo\xA0ng\n";

TEST(DeviceListReader, ListsManufacturersByCaseSensitiveKeyAndTypesOfTheFirstSection) {
    auto makers = [](int category) {
        std::istringstream in(SampleList);
        return ListManufacturers(in, CategoryKey(category));
    };
    EXPECT_EQ(makers(0), (Strings{"AMD", "ST", "AMD", "Lo"}));  // the dashless header lists nothing
    EXPECT_EQ(makers(3), Strings{"Atmel"});                    // "#SERIAL" is not "#Ser"
    EXPECT_EQ(makers(4), Strings{});
    auto types = [](const std::string& key, const std::string& maker) {
        std::istringstream in(SampleList);
        Strings out;
        for (const auto& e : ListTypes(in, key, maker)) out.push_back(e.text + "|" + e.parameter);
        return out;
    };
    EXPECT_EQ(types("#EPR", "AMD"), (Strings{"Am27C64|P27 7", "|---", "------|---", "Am27C256|P27 13,extra,commas"}));
    EXPECT_EQ(types("#EPR", "ST"), Strings{"M27C512|P27 14"});
    EXPECT_EQ(types("#EEP", "AMD"), Strings{"Am29F010|P29F 3"});
    EXPECT_EQ(types("#EPR", "Nobody"), Strings{});
}

TEST(ParameterField, FamilySubTypeAndSignature) {
    struct Case { std::string field, family; std::int32_t subType; std::array<std::uint8_t, 3> sig; } cases[] = {
        {"P29F 2", "P29F", 2, {0, 0, 0}},
        {"P29 2", "P29", 2, {0, 0, 0}},
        {"p29f 2", "p29f", 2, {0, 0, 0}},
        {"P27 x", "P27", 0, {0, 0, 0}},
        {"P27 99999999999", "P27", 2147483647, {0, 0, 0}},
        {"P89C51 1 #1E,51,FF", "P89C51", 1, {0x1E, 0x51, 0xFF}},
        {"P89C51 3 #1e-52-f", "P89C51", 3, {0x1E, 0x52, 0x0F}},  // separators not examined
        {"P89C51 3 #ZZ,G1,5", "P89C51", 3, {0, 0, 0x05}},        // not hexadecimal counts 0
        {"---", "", 0, {0, 0, 0}},                                 // no blank: opens nothing
    };
    for (const auto& c : cases) {
        ParameterField p = ParseParameterField(c.field);
        EXPECT_EQ(std::tie(p.family, p.subType, p.signature), std::tie(c.family, c.subType, c.sig)) << c.field;
    }
}

} // namespace
} // namespace quarvin
