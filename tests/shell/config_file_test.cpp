#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/ConfigFile.h"
#include "shell/ShellTexts.h"

using namespace quarvin::shell;

namespace {

const std::string kCaption(kMainCaption);

ConfigRecord Sample() {
    ConfigRecord r;
    r.categoryIndex = 3;
    r.family = "P24";
    r.description = "ATMEL: 24C02";
    r.fileName = "/home/user/data/dump.BIN";
    r.subType = 2;
    r.manufacturer = "ATMEL";
    r.categoryKey = "#Ser";
    r.manufacturerRow = 4;
    r.typeRow = 7;
    r.typeName = "24C02";
    return r;
}

std::string TempDir() {
    auto d = std::filesystem::path(QUARVIN_BINARY_DIR) / "shell-config-test";
    std::filesystem::create_directories(d);
    return d.string() + "/";
}

} // namespace

TEST(ConfigFile, RoundTripThroughTheFileRestoresEveryLine) {
    std::string path = ConfigPath(TempDir());
    EXPECT_EQ(path.substr(path.size() - 15), "quarvinV5EN.CFG");
    ConfigRecord w = Sample();
    w.description = "";  // an empty text is an empty line and must not shift the rest
    ASSERT_TRUE(WriteConfiguration(path, kCaption, w));
    ConfigRead r = ReadConfiguration(path, kCaption);
    ASSERT_EQ(r.status, ConfigStatus::Restored);
    EXPECT_EQ(r.values.categoryIndex, 3);
    EXPECT_EQ(r.values.family, "P24");
    EXPECT_EQ(r.values.description, "");
    EXPECT_EQ(r.values.fileName, w.fileName);
    EXPECT_EQ(r.values.subType, 2);
    EXPECT_EQ(r.values.manufacturer, "ATMEL");
    EXPECT_EQ(r.values.categoryKey, "#Ser");
    EXPECT_EQ(r.values.manufacturerRow, 4);
    EXPECT_EQ(r.values.typeRow, 7);
    EXPECT_EQ(r.values.typeName, "24C02");
}

TEST(ConfigFile, WrittenTextIsElevenLinesInOrder) {
    EXPECT_EQ(FormatConfiguration(kCaption, Sample()),
              kCaption + "\n3\nP24\nATMEL: 24C02\n/home/user/data/dump.BIN\n2\nATMEL\n#Ser\n4\n7\n24C02\n");
}

TEST(ConfigFile, MissingFileRestoresNothing) {
    ConfigRead r = ReadConfiguration(TempDir() + "no-such-dir/quarvinV5EN.CFG", kCaption);
    EXPECT_EQ(r.status, ConfigStatus::Missing);
    EXPECT_FALSE(r.values.family.has_value());
}

TEST(ConfigFile, VersionStampComparesTheFirstThirtyCharacters) {
    struct Case { std::string line1; ConfigStatus want; };
    const Case cases[] = {
        {kCaption, ConfigStatus::Restored},
        {kCaption.substr(0, 30) + " something else entirely", ConfigStatus::Restored},
        {kCaption.substr(0, 29) + "X" + kCaption.substr(30), ConfigStatus::OtherVersion},
        {"QUARVINV4  Ver 4.10", ConfigStatus::OtherVersion},
        {"", ConfigStatus::OtherVersion},
    };
    for (const auto& c : cases) {
        ConfigRead r = ParseConfiguration(c.line1 + "\n1\nP27\n", kCaption);
        EXPECT_EQ(r.status, c.want) << c.line1;
        if (c.want == ConfigStatus::OtherVersion) {
            EXPECT_FALSE(r.values.categoryIndex.has_value());
        }
    }
    EXPECT_EQ(ParseConfiguration("", kCaption).status, ConfigStatus::OtherVersion);
}

TEST(ConfigFile, TruncatedFileRestoresTheLinesItHas) {
    ConfigRead r = ParseConfiguration(kCaption + "\n1\nP27\nAMD: 27C256\n/tmp/a.HEX", kCaption);
    ASSERT_EQ(r.status, ConfigStatus::Restored);
    EXPECT_EQ(r.values.categoryIndex, 0 + 1);
    EXPECT_EQ(r.values.family, "P27");
    EXPECT_EQ(r.values.description, "AMD: 27C256");
    EXPECT_EQ(r.values.fileName, "/tmp/a.HEX");  // last line without a line end still counts
    EXPECT_FALSE(r.values.subType.has_value());
    EXPECT_FALSE(r.values.manufacturer.has_value());
    EXPECT_FALSE(r.values.typeName.has_value());
}

TEST(ConfigFile, LongLinesStayWholeAndDoNotSpillIntoTheNextField) {
    std::string longPath = "/" + std::string(180, 'd') + "/file.BIN";
    ConfigRecord w = Sample();
    w.fileName = longPath;
    ConfigRead r = ParseConfiguration(FormatConfiguration(kCaption, w), kCaption);
    EXPECT_EQ(r.values.fileName, longPath);
    EXPECT_EQ(r.values.subType, 2);
    EXPECT_EQ(r.values.manufacturer, "ATMEL");
    // A file written with CR LF line ends reads the same.
    std::string crlf = kCaption + "\r\n5\r\nGAL3M\r\n";
    ConfigRead c = ParseConfiguration(crlf, kCaption);
    EXPECT_EQ(c.values.categoryIndex, 4 + 1);
    EXPECT_EQ(c.values.family, "GAL3M");
}

TEST(ConfigFile, CategoryIndexOutsideTheSevenCategoriesBecomesZero) {
    struct Case { std::string line; int want; };
    const Case cases[] = {{"6", 6}, {"7", 0}, {"-1", 0}, {"99999999999", 0}, {"  2abc", 2}, {"abc", 0}, {"+3", 3}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseConfiguration(kCaption + "\n" + c.line + "\n", kCaption).values.categoryIndex, c.want) << c.line;
}

TEST(ConfigFile, CategoryKeyKeepsAtMostTwentyCharacters) {
    ConfigRecord w = Sample();
    w.categoryKey = std::string(30, 'k');
    ConfigRead r = ParseConfiguration(FormatConfiguration(kCaption, w), kCaption);
    EXPECT_EQ(r.values.categoryKey, std::string(20, 'k'));
    EXPECT_EQ(r.values.manufacturerRow, 4);
}

TEST(ConfigFile, ValueWithALineBreakCannotShiftLaterLines) {
    ConfigRecord w = Sample();
    w.description = "ATMEL: 24C02\nP99";
    ConfigRead r = ParseConfiguration(FormatConfiguration(kCaption, w), kCaption);
    EXPECT_EQ(r.values.description, "ATMEL: 24C02");
    EXPECT_EQ(r.values.fileName, w.fileName);
    EXPECT_EQ(r.values.typeName, "24C02");
}

TEST(ConfigFile, DecimalReading) {
    EXPECT_EQ(ParseDecimal(" -12x"), -12);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("-"), 0);
    EXPECT_EQ(ParseDecimal("99999999999"), 2147483647);
    EXPECT_EQ(ParseDecimal("-99999999999"), -2147483647 - 1);
}

TEST(ConfigFile, UnwritableTargetReportsFailure) {
    EXPECT_FALSE(WriteConfiguration(TempDir() + "missing-dir/quarvinV5EN.CFG", kCaption, Sample()));
}
