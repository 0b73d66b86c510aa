#include <gtest/gtest.h>

#include <filesystem>
#include <type_traits>

#include "shell/ConfigFile.h"
#include "shell/ShellTexts.h"
#include "support/ScratchDir.h"

using namespace quarvin::shell;

namespace {

const std::string kCaption(kMainCaption);

const ConfigRecord kSample{3, "P24", "ATMEL: 24C02", "/home/user/data/dump.BIN", 2, "ATMEL", "#Ser", 4, 7, "24C02"};

template <class T>
std::string Show(const std::optional<T>& o) {
    if (!o) return "?";
    if constexpr (std::is_same_v<T, int>) return std::to_string(*o);
    else return *o;
}

// Lines 2..11 as restored, "?" for a line the file did not have.
std::string Restored(const ConfigValues& v) {
    return Show(v.categoryIndex) + "|" + Show(v.family) + "|" + Show(v.description) + "|" + Show(v.fileName) + "|" +
           Show(v.subType) + "|" + Show(v.manufacturer) + "|" + Show(v.categoryKey) + "|" +
           Show(v.manufacturerRow) + "|" + Show(v.typeRow) + "|" + Show(v.typeName);
}

} // namespace

TEST(ConfigFile, RoundTripThroughTheFileKeepsEveryLineWhole) {
    const quarvin::test::ScratchDir scratch("quarvin_config");
    const std::string dir = scratch.path().string() + "/";
    const std::string path = ConfigPath(dir);
    EXPECT_EQ(path, dir + "quarvinV5EN.CFG");
    EXPECT_EQ(FormatConfiguration(kCaption, kSample),
              kCaption + "\n3\nP24\nATMEL: 24C02\n/home/user/data/dump.BIN\n2\nATMEL\n#Ser\n4\n7\n24C02\n");
    ConfigRecord w = kSample;
    w.description = "";                                            // an empty line shifts nothing
    w.fileName = "/" + std::string(180, 'd') + "/file.BIN";        // long paths stay whole
    ASSERT_TRUE(WriteConfiguration(path, kCaption, w));
    ConfigRead r = ReadConfiguration(path, kCaption);
    ASSERT_EQ(r.status, ConfigStatus::Restored);
    EXPECT_EQ(Restored(r.values), "3|P24||" + w.fileName + "|2|ATMEL|#Ser|4|7|24C02");
    EXPECT_EQ(ReadConfiguration(dir + "none/quarvinV5EN.CFG", kCaption).status, ConfigStatus::Missing);
    EXPECT_FALSE(WriteConfiguration(dir + "none/quarvinV5EN.CFG", kCaption, w));
}

TEST(ConfigFile, OtherVersionsOddAndTruncatedFilesRestoreWhatTheySafelyCan) {
    const std::string tail = "\nP24\nX\n/f\n2\nATMEL\n#Ser\n4\n7\n24C02\n", none = "?|?|?|?|?|?|?|?|?|?";
    struct Case { std::string body, want; };
    const Case cases[] = {
        // Only the first 30 characters of the version stamp count; another restores nothing.
        {kCaption.substr(0, 30) + " something else entirely\n1" + tail, "1|P24|X|/f|2|ATMEL|#Ser|4|7|24C02"},
        {kCaption.substr(0, 29) + "X" + kCaption.substr(30) + "\n1" + tail, none},
        {"QUARVINV4  Ver 4.10\n1" + tail, none},
        {"\n1" + tail, none},
        {kCaption + "\n1\nP27\nAMD: 27C256\n/tmp/a.HEX", "1|P27|AMD: 27C256|/tmp/a.HEX|?|?|?|?|?|?"},  // truncated, no line end
        {kCaption + "\n5\r\nGAL3M\r\n", "5|GAL3M|?|?|?|?|?|?|?|?"},
        {kCaption + "\n5\nGAL3M\rP27\r\r\n", "5|GAL3M|?|?|?|?|?|?|?|?"},
        // The category index outside the seven categories becomes 0.
        {kCaption + "\n6" + tail, "6|P24|X|/f|2|ATMEL|#Ser|4|7|24C02"},
        {kCaption + "\n7" + tail, "0|P24|X|/f|2|ATMEL|#Ser|4|7|24C02"},
        {kCaption + "\n-1" + tail, "0|P24|X|/f|2|ATMEL|#Ser|4|7|24C02"},
        {kCaption + "\n  2abc" + tail, "2|P24|X|/f|2|ATMEL|#Ser|4|7|24C02"},
        {kCaption + "\n3\nP24\nX\n/f\n99999999999\nA\n" + std::string(30, 'k') + "\n-99999999999\nx\nT\n",
         "3|P24|X|/f|2147483647|A|" + std::string(20, 'k') + "|-2147483648|0|T"},
    };
    for (const auto& c : cases) {
        const ConfigRead r = ParseConfiguration(c.body, kCaption);
        EXPECT_EQ(Restored(r.values), c.want) << c.body;
        EXPECT_EQ(r.status, c.want == none ? ConfigStatus::OtherVersion : ConfigStatus::Restored) << c.body;
    }

    // A value holding a line break cannot shift the lines after it.
    ConfigRecord w = kSample;
    w.description = "ATMEL: 24C02\nP99";
    EXPECT_EQ(Restored(ParseConfiguration(FormatConfiguration(kCaption, w), kCaption).values),
              "3|P24|ATMEL: 24C02|/home/user/data/dump.BIN|2|ATMEL|#Ser|4|7|24C02");
}
