#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "CatalogueFixture.h"
#include "catalogue/Categories.h"
#include "catalogue/DeviceListReader.h"
#include "catalogue/DeviceListSource.h"
#include "catalogue/DispatchTable.h"
#include "catalogue/ParameterField.h"
#include "catalogue/TUnavailable.h"
#include "families/memory/TP27x.h"

namespace quarvin::test {
namespace {

const std::string DataDir = std::string(QUARVIN_SOURCE_DIR) + "/data/";
const char* const ListFiles[] = {"device.lst", "devicea.lst", "devicec.lst"};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Highest sub-type row of each family's table; rows 1..max are devices (the 28F
// table has four empty rows in between).
const std::map<std::string, int> LastRow = {
    {"P27", static_cast<int>(kEpromRows.size()) - 1},
    {"PW27", 5}, {"P29F", 13}, {"AT28CX", 8}, {"P24", 11}, {"P93", 9}, {"P29", 7},
    {"PI28F", 15}, {"P89C51", 9}, {"P16C84", 10}, {"AT90S", 4}, {"P2051", 3},
    {"GAL3M", 9}, {"P22V10", 3}, {"DSRAM", 8}, {"TESTRAM", 8},
};

struct Listed {
    std::string file, manufacturer;
    int category;
    TypeEntry entry;
};

std::vector<Listed> ListEverything(const std::string& file) {
    std::vector<Listed> all;
    std::string text = ReadFile(DataDir + file);
    for (int cat = 0; cat < static_cast<int>(Categories.size()); ++cat) {
        std::istringstream in(text);
        for (const auto& m : ListManufacturers(in, CategoryKey(cat))) {
            std::istringstream again(text);
            for (auto& e : ListTypes(again, CategoryKey(cat), m)) all.push_back({file, m, cat, e});
        }
    }
    return all;
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

TEST(ShippedLists, EveryTypeLineSelectsARowOfAKnownFamily) {
    for (const char* file : ListFiles) {
        std::vector<Listed> all = ListEverything(file);
        std::set<int> categoriesSeen;
        std::map<std::string, std::set<std::string>> perSection;
        int selectable = 0;
        for (const auto& l : all) {
            SCOPED_TRACE(std::string(file) + " " + l.manufacturer + ": " + l.entry.text);
            categoriesSeen.insert(l.category);
            if (l.entry.parameter == "---") {
                EXPECT_TRUE(l.entry.text.empty() || l.entry.text[0] == '-');
                continue;
            }
            ++selectable;
            ParameterField p = ParseParameterField(l.entry.parameter);
            ASSERT_NE(DialogClassOf(p.family), nullptr);
            if (p.family == "ICTEST") {
                EXPECT_GE(p.subType, 0);
                EXPECT_LE(p.subType, 2);
            } else {
                auto last = LastRow.find(p.family);
                ASSERT_NE(last, LastRow.end()) << "no row table known for " << p.family;
                EXPECT_GE(p.subType, 1);
                EXPECT_LE(p.subType, last->second);
                if (p.family == "PI28F") {
                    EXPECT_FALSE(p.subType >= 7 && p.subType <= 10);
                }
            }
            std::string section = std::to_string(l.category) + l.manufacturer;
            EXPECT_TRUE(perSection[section].insert(l.entry.text).second) << "duplicate row";
        }
        EXPECT_EQ(categoriesSeen.size(), Categories.size()) << file;
        EXPECT_GT(selectable, 200) << file;
    }
}

// The row an EPROM type selects must have the type's size.
TEST(ShippedLists, EpromTypesSelectRowsOfTheirSize) {
    const std::pair<const char*, std::uint32_t> densities[] = {
        {"27C1001", 0x20000}, {"27C1000", 0x20000}, {"27C2001", 0x40000}, {"27C2000", 0x40000},
        {"27C4001", 0x80000}, {"27C4000", 0x80000}, {"27C8000", 0x100000}, {"27C801", 0x100000},
        {"27C010", 0x20000}, {"27C020", 0x40000}, {"27C040", 0x80000}, {"27C080", 0x100000},
        {"27C512", 0x10000}, {"27512", 0x10000}, {"27C256", 0x8000}, {"27256", 0x8000},
        {"27C128", 0x4000}, {"27128", 0x4000}, {"27C64", 0x2000}, {"2764", 0x2000},
        {"2732", 0x1000}, {"2716", 0x800},
    };
    int checked = 0;
    for (const auto& l : ListEverything("device.lst")) {
        ParameterField p = ParseParameterField(l.entry.parameter);
        if (p.family != "P27") continue;
        SCOPED_TRACE(l.manufacturer + ": " + l.entry.text);
        const std::pair<const char*, std::uint32_t>* match = nullptr;
        for (const auto& d : densities)
            if (l.entry.text.find(d.first) != std::string::npos) {
                match = &d;
                break;
            }
        ASSERT_NE(match, nullptr) << "no known EPROM size in the name";
        EXPECT_EQ(kEpromRows[static_cast<std::size_t>(p.subType)].lastAddress + 1, match->second);
        ++checked;
    }
    EXPECT_GT(checked, 40);
}

TEST(ShippedLists, SourceProblemsAreReported) {
    struct Case {
        std::string line;
        const char* problem;
    } cases[] = {
        {"#EPROM-Good\nAm27C64 " + std::string(90, 'x') + ",P27 7", "longer than 98"},
        {"#EPROM-" + std::string(45, 'x'), "header longer than 50"},
        {"#Epson-X", "no category"},
        {"#EPROM", "without \"-\""},
        {"#EPROM-Good\nAm27C64,P27", "without a blank"},
        {"#EPROM-Good\nAm27C64,p27 7", "unknown family"},
        {"#EPROM-Good\nAm27C64,P27 x", "sub-type index missing"},
        {"#MPU-Good\nAT89C51,P89C51 1 #1E,5", "two-digit"},
        {"#MPU-Good\nAT89C51,P89C51 1 #1E,G1,FF", "two-digit"},
        {"#EPROM-Good\n-dash,P27 7", "cannot be confirmed"},
        {"#EPROM-Good\nAm27C64,P27 7\nAm27C64,P27 8", "repeated"},
        {"Am27C64,P27 7", "before the first header"},
        {"#EPROM-Good\nAm27C64\xB5,P27 7", "non-ASCII"},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.line + "\n");
        GeneratedLists lists = GenerateDeviceLists(in);
        ASSERT_EQ(lists.problems.size(), 1u) << c.line;
        EXPECT_NE(lists.problems[0].text.find(c.problem), std::string::npos) << lists.problems[0].text;
    }
    std::istringstream good("; note\n#EPROM-Good\n/ comment\n----\nAm27C64,P27 7\n#EEPROM-Good\nAm27C64,P29F 3\n");
    GeneratedLists lists = GenerateDeviceLists(good);
    EXPECT_TRUE(lists.problems.empty());
    EXPECT_EQ(lists.files["devicea.lst"].find("; note"), std::string::npos);
}

// Every selectable row of the shipped list opens a dialog through the real
// registry: the built family or the shared unavailable dialog.
class ShippedListDialog : public CatalogueTest {};

TEST_F(ShippedListDialog, EveryRowConfirmsInSoftRun) {
    TTypeDlg dlg(link, fake.platform, docs, DataDir, &display);
    int opened = 0;
    for (int cat = 0; cat < static_cast<int>(Categories.size()); ++cat) {
        dlg.userSetIndex("RadioGroup1", cat);
        int manufacturers = static_cast<int>(dlg.control("ListBox1").items().size());
        for (int m = 0; m < manufacturers; ++m) {
            dlg.control("ListBox1").setItemIndex(m);
            dlg.click("ListBox1");
            int rows = static_cast<int>(dlg.control("ListBox2").items().size());
            for (int r = 0; r < rows; ++r) {
                dlg.ConfirmRow(r);
                if (dlg.parameters[static_cast<std::size_t>(r)] == "---") continue;
                const char* cls = DialogClassOf(dlg.selection().family);
                ASSERT_NE(cls, nullptr);
                FamilyDialog* opened_dlg = dlg.dispatcher().existing(cls);
                ASSERT_NE(opened_dlg, nullptr) << dlg.selection().description;
                EXPECT_TRUE(opened_dlg->visible());
                EXPECT_EQ(opened_dlg->className() == "TP27x", std::string(cls) == "TP27x");
                ++opened;
            }
        }
    }
    EXPECT_GT(opened, 200);
    EXPECT_TRUE(fake.prompts.texts().empty());
    // One instance per built class plus the shared unavailable dialog.
    std::set<std::string> created(fake.windows.created.begin(), fake.windows.created.end());
    EXPECT_EQ(created.size(), fake.windows.created.size());
    EXPECT_TRUE(created.count("TP27x"));
    EXPECT_TRUE(created.count(TUnavailable::ClassName));
}

} // namespace
} // namespace quarvin::test
