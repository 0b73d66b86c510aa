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
    return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str();
}

// Calls `each(maker, entry)` for every type line of a category in a list's text.
template <class Each>
void ForEachType(const std::string& text, int category, Each each) {
    std::istringstream in(text);
    for (const auto& m : ListManufacturers(in, CategoryKey(category))) {
        std::istringstream again(text);
        for (const auto& e : ListTypes(again, CategoryKey(category), m)) each(m, e);
    }
}

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

// Each line selects a row of its family's table that names a device, and names
// its type once per manufacturer.
TEST(ShippedLists, EveryTypeLineSelectsADeviceRowOfABuiltFamilyOnce) {
    for (const char* file : ListFiles) {
        int selectable = 0;
        for (int cat = 0; cat < static_cast<int>(Categories.size()); ++cat) {
            std::map<std::string, std::set<std::string>> perMaker;
            ForEachType(ReadFile(DataDir + file), cat, [&](const std::string& m, const TypeEntry& e) {
                SCOPED_TRACE(std::string(file) + " " + m + ": " + e.text);
                if (e.parameter == "---") {
                    EXPECT_TRUE(e.text.empty() || e.text[0] == '-');
                    return;
                }
                ++selectable;
                const ParameterField p = ParseParameterField(e.parameter);
                const auto family = Families().find(DialogClassOf(p.family) ? DialogClassOf(p.family) : "");
                ASSERT_NE(family, Families().end()) << p.family;
                const auto rows = family->second.subTypes();
                EXPECT_GE(p.subType, family->second.firstSubType);
                ASSERT_LT(p.subType, static_cast<int>(rows.size()));
                // The testers' rows name a class of parts, the others' a device's size.
                EXPECT_TRUE(family->second.firstSubType == 0 || rows[static_cast<std::size_t>(p.subType)].size > 0);
                EXPECT_TRUE(perMaker[m].insert(e.text).second) << "duplicate row";
            });
        }
        EXPECT_GT(selectable, 200) << file;
    }
}

// The GAL category lists exactly these parts, each on the family row of its
// name; no line selects the GAL row without a shift routine (22V10A, row 7).
TEST(ShippedLists, LogicDevicesSelectTheRowsOfTheirNames) {
    // Maker, type, family, sub-type and the name of that row of the family.
    const std::vector<std::string> expected = {
        "Lattice|GAL16V8|GAL3M|1|1: 16V8 16.5V",    "Lattice|GAL16V8A|GAL3M|2|2: 16V8A 12.5V",
        "Lattice|GAL16V8B|GAL3M|3|3: 16V8B/D 14V",  "Lattice|GAL16V8D|GAL3M|3|3: 16V8B/D 14V",
        "Lattice|GAL20V8|GAL3M|4|4: 20V8 16.5V",    "Lattice|GAL20V8A|GAL3M|5|5: 20V8A 16.5V",
        "Lattice|GAL20V8B|GAL3M|6|6: 20V8B 12.5V",  "Lattice|GAL22V10|P22V10|1|1: 22V10  12V",
        "Lattice|GAL22V10B|P22V10|2|2: 22V10B 12V", "Lattice|GAL22V10D|P22V10|3|3: 22V10B 12V",
        "Atmel|ATF16V8B|GAL3M|8|8: AT16V8 12.0V",   "Atmel|ATF20V8B|GAL3M|9|9: AT20V8 12.0V",
        "National|GAL16V8|GAL3M|1|1: 16V8 16.5V",   "National|GAL20V8|GAL3M|4|4: 20V8 16.5V",
    };
    const int galCategory = 4;
    ASSERT_STREQ(Categories[galCategory].item, "GAL");
    for (const char* file : ListFiles) {
        SCOPED_TRACE(file);
        const std::string text = ReadFile(DataDir + file);
        std::vector<std::string> listed;
        ForEachType(text, galCategory, [&](const std::string& m, const TypeEntry& e) {
            if (e.parameter == "---") return;
            const ParameterField p = ParseParameterField(e.parameter);
            const auto rows = Families().at(DialogClassOf(p.family)).subTypes();
            ASSERT_LT(p.subType, static_cast<int>(rows.size())) << e.text;
            listed.push_back(m + "|" + e.text + "|" + p.family + "|" + std::to_string(p.subType) + "|" +
                             rows[static_cast<std::size_t>(p.subType)].name);
        });
        EXPECT_EQ(listed, expected);
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
