#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <vector>
#include <sstream>

#include "catalogue/Categories.h"
#include "catalogue/DeviceListReader.h"
#include "catalogue/DeviceListSource.h"
#include "catalogue/DispatchTable.h"
#include "catalogue/ParameterField.h"
#include "families/framework/FamilyDialog.h"

namespace quarvin::test {
namespace {

const std::string DataDir = std::string(QUARVIN_SOURCE_DIR) + "/data/";
const char* const ListFiles[] = {"device.lst", "devicea.lst", "devicec.lst"};

std::string ReadFile(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

// Highest sub-type row of each family's table (the 28F table has empty rows 7..10).
const std::map<std::string, int> LastRow = {
    {"P27", static_cast<int>(Families().at("TP27x").subTypes().size()) - 1},
    {"PW27", 5}, {"P29F", 13}, {"AT28CX", 8}, {"P24", 11}, {"P93", 9}, {"P29", 7},
    {"PI28F", 15}, {"P89C51", 9}, {"P16C84", 10}, {"AT90S", 4}, {"P2051", 3},
    {"GAL3M", 9}, {"P22V10", 3}, {"DSRAM", 8}, {"TESTRAM", 8}, {"ICTEST", 2}, {"AT89S5X", 2}, {"P16F87X", 4},
    {"AT29CX", static_cast<int>(Families().at("TP29cx").subTypes().size()) - 1},
    {"AT29C256", static_cast<int>(Families().at("TP29c256").subTypes().size()) - 1},
    {"AT49F", static_cast<int>(Families().at("TAt49fx").subTypes().size()) - 1},
    {"MX29F", static_cast<int>(Families().at("TMx29fxxx1").subTypes().size()) - 1},
    {"P2816", static_cast<int>(Families().at("TP2816x").subTypes().size()) - 1},
};

TEST(ShippedLists, FilesAreInStepWithTheSource) {
    std::ifstream source(DataDir + "devices.src", std::ios::binary);
    ASSERT_TRUE(source);
    GeneratedLists lists = GenerateDeviceLists(source);
    for (const auto& p : lists.problems) ADD_FAILURE() << "devices.src:" << p.line << ": " << p.text;
    ASSERT_EQ(lists.files.size(), 3u);
    for (const char* name : ListFiles)
        EXPECT_TRUE(lists.files[name] == ReadFile(DataDir + name))
            << name << " differs from devices.src: run quarvin-devlist data/devices.src data";
}

TEST(ShippedLists, EveryTypeLineSelectsAnExistingRowOfAKnownFamilyOnce) {
    for (const char* file : ListFiles) {
        const std::string text = ReadFile(DataDir + file);
        int selectable = 0;
        for (int cat = 0; cat < static_cast<int>(Categories.size()); ++cat) {
            std::istringstream in(text);
            std::map<std::string, std::set<std::string>> perMaker;
            for (const auto& m : ListManufacturers(in, CategoryKey(cat))) {
                std::istringstream again(text);
                for (const auto& e : ListTypes(again, CategoryKey(cat), m)) {
                    SCOPED_TRACE(std::string(file) + " " + m + ": " + e.text);
                    if (e.parameter == "---") {
                        EXPECT_TRUE(e.text.empty() || e.text[0] == '-');
                        continue;
                    }
                    ++selectable;
                    ParameterField p = ParseParameterField(e.parameter);
                    EXPECT_NE(DialogClassOf(p.family), nullptr);
                    auto last = LastRow.find(p.family);
                    ASSERT_NE(last, LastRow.end()) << "no row table known for " << p.family;
                    EXPECT_GE(p.subType, p.family == "ICTEST" ? 0 : 1);
                    EXPECT_LE(p.subType, last->second);
                    EXPECT_FALSE(p.family == "PI28F" && p.subType >= 7 && p.subType <= 10);
                    EXPECT_TRUE(perMaker[m].insert(e.text).second) << "duplicate row";
                }
            }
        }
        EXPECT_GT(selectable, 200) << file;
    }
}

// The GAL category lists exactly these parts, each on the family row of its
// name; no line selects the GAL row without a shift routine (22V10A, row 7).
TEST(ShippedLists, LogicDevicesSelectTheRowsOfTheirNames) {
    struct Line {
        const char *maker, *type, *family;
        int subType;
        const char* rowName;
    };
    const std::vector<Line> expected = {
        {"Lattice", "GAL16V8", "GAL3M", 1, "1: 16V8 16.5V"},   {"Lattice", "GAL16V8A", "GAL3M", 2, "2: 16V8A 12.5V"},
        {"Lattice", "GAL16V8B", "GAL3M", 3, "3: 16V8B/D 14V"}, {"Lattice", "GAL16V8D", "GAL3M", 3, "3: 16V8B/D 14V"},
        {"Lattice", "GAL20V8", "GAL3M", 4, "4: 20V8 16.5V"},   {"Lattice", "GAL20V8A", "GAL3M", 5, "5: 20V8A 16.5V"},
        {"Lattice", "GAL20V8B", "GAL3M", 6, "6: 20V8B 12.5V"}, {"Lattice", "GAL22V10", "P22V10", 1, "1: 22V10  12V"},
        {"Lattice", "GAL22V10B", "P22V10", 2, "2: 22V10B 12V"}, {"Lattice", "GAL22V10D", "P22V10", 3, "3: 22V10B 12V"},
        {"Atmel", "ATF16V8B", "GAL3M", 8, "8: AT16V8 12.0V"},  {"Atmel", "ATF20V8B", "GAL3M", 9, "9: AT20V8 12.0V"},
        {"National", "GAL16V8", "GAL3M", 1, "1: 16V8 16.5V"},  {"National", "GAL20V8", "GAL3M", 4, "4: 20V8 16.5V"},
    };
    const int galCategory = 4;
    ASSERT_STREQ(Categories[galCategory].item, "GAL");
    for (const char* file : ListFiles) {
        SCOPED_TRACE(file);
        const std::string text = ReadFile(DataDir + file);
        std::vector<std::string> listed;
        std::istringstream in(text);
        for (const auto& m : ListManufacturers(in, CategoryKey(galCategory))) {
            std::istringstream again(text);
            for (const auto& e : ListTypes(again, CategoryKey(galCategory), m)) {
                if (e.parameter == "---") continue;
                const ParameterField p = ParseParameterField(e.parameter);
                const auto rows = Families().at(DialogClassOf(p.family)).subTypes();
                ASSERT_LT(p.subType, static_cast<int>(rows.size())) << e.text;
                listed.push_back(m + "|" + e.text + "|" + p.family + "|" + std::to_string(p.subType) + "|" +
                                 rows[static_cast<std::size_t>(p.subType)].name);
            }
        }
        std::vector<std::string> wanted;
        for (const Line& l : expected)
            wanted.push_back(std::string(l.maker) + "|" + l.type + "|" + l.family + "|" + std::to_string(l.subType) + "|" +
                             l.rowName);
        EXPECT_EQ(listed, wanted);
        // Whatever the category, no line selects the 22V10A row of the GAL family.
        EXPECT_EQ(text.find(",GAL3M 7"), std::string::npos);
    }
}

TEST(ShippedLists, SourceProblemsAreReported) {
    const std::pair<std::string, const char*> cases[] = {
        {"#EPROM-Good\nAm27C64 " + std::string(90, 'x') + ",P27 7", "longer than 98"},
        {"#EPROM", "without \"-\""},
        {"#EPROM-Good\nAm27C64,p27 7", "unknown family"},
        {"#MPU-Good\nAT89C51,P89C51 1 #1E,G1,FF", "two-digit"},
        {"#EPROM-Good\nAm27C64,P27 7\nAm27C64,P27 8", "repeated"},
    };
    for (const auto& [source, problem] : cases) {
        std::istringstream in(source + "\n");
        GeneratedLists lists = GenerateDeviceLists(in);
        ASSERT_EQ(lists.problems.size(), 1u) << source;
        EXPECT_NE(lists.problems[0].text.find(problem), std::string::npos) << lists.problems[0].text;
    }
}

} // namespace
} // namespace quarvin::test
