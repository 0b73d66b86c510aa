// Load and Save through the format dialog, and the start-up reload.
#include <gtest/gtest.h>

#include <filesystem>

#include "buffer/Documents.h"
#include "buffer/FileCommands.h"
#include "buffer/TFileWin.h"
#include "buffer/TPldFileW.h"
#include "formats_testutil.h"
#include "support/FakePlatform.h"

namespace quarvin {
namespace {

namespace fs = std::filesystem;
using test::bufferBytes;

TEST(FormatDialog, LoadModesAndFieldsParsedLikeScanfHex) {
    TFileFormat d;
    EXPECT_EQ(d.control("RadioGroup1").items().at(0), ".BIN   Binarry");
    const int lanes[8][2] = {{0, 0}, {0, 0}, {1, 0}, {1, 1}, {3, 0}, {3, 1}, {3, 2}, {3, 3}};
    for (int i = 7; i >= 0; --i) { // backwards, so that each pair differs from the one before
        d.userSetIndex("RadioGroup2", i);
        EXPECT_EQ(d.laneMask(), lanes[i][0]) << i;
        EXPECT_EQ(d.laneSelect(), lanes[i][1]) << i;
    }
    struct Case { const char *start, *end; std::int32_t startValue, endValue; };
    for (const Case c : {Case{"  0x1F", "0", 0x1F, TFileFormat::kNoEndLimit}, // 0 or below: no limit
                         Case{"ffffffff", "ffffff", -1, 0xFFFFFF},
                         Case{"zz", "12g", -1, 0x12}}) { // no digits keep the previous value
        SCOPED_TRACE(c.start);
        d.userSetText("Edit1", c.start);
        d.userSetText("Edit2", c.end);
        d.click("OKBtn");
        EXPECT_EQ(d.startAddress(), c.startValue);
        EXPECT_EQ(d.endLimit(), c.endValue);
    }
    d.prepare("a.hex");
    d.close(); // the close box cancels
    EXPECT_EQ(d.selectedKey(), "");
    EXPECT_EQ(d.modalResult(), Form::ModalCancel);
}

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() {
        buffer->initialise();
        commands.onFileLabel = [this](const std::string& t) { labels.push_back(t); };
    }
    // The format dialog answers by running `script`, then OK.
    void run(bool loading, const std::string& path, std::function<void(TFileFormat&)> script) {
        (loading ? fake.files.openNames : fake.files.saveNames).push_back(path);
        fake.windows.modalScripts["TFileFormat"] = [script](Form& f) {
            auto& d = static_cast<TFileFormat&>(f);
            if (script) script(d);
            d.click("OKBtn");
            return d.modalResult();
        };
        loading ? commands.LoadFileClick() : commands.SaveBufClick();
    }
    void load(const std::string& path, std::function<void(TFileFormat&)> script = {}) {
        run(true, path, std::move(script));
    }
    void save(const std::string& path, std::function<void(TFileFormat&)> script = {}) {
        run(false, path, std::move(script));
    }

    test::ScratchDir dir;
    test::FakePlatform fake;
    std::unique_ptr<MainBuffer> buffer = std::make_unique<MainBuffer>();
    Documents documents{*buffer, fake.platform};
    DataFileState state;
    FileCommands commands{documents, fake.platform, state, "/prog/dir"};
    std::vector<std::string> labels;
};

TEST_F(FileCommandsTest, BinaryLoadWithLaneAndStartAddress) {
    const std::string path = dir.file("six.bin");
    test::writeFile(path, "\x01\x02\x03\x04\x05\x06");
    load(path, [](TFileFormat& d) {
        d.userSetIndex("RadioGroup2", 3); // "2th char of word16"
        d.userSetText("Edit1", "100");
    });
    ASSERT_TRUE(documents.hasHexWindow());
    EXPECT_EQ(bufferBytes(*buffer, 0x100, 3), "\x02\x04\x06");
    EXPECT_EQ(documents.endAddress(), 0x102);
    EXPECT_EQ(labels, std::vector<std::string>{"File " + path});
    EXPECT_EQ(state.startAddress, 0x100);
    const auto& req = fake.files.requests.at(0);
    EXPECT_EQ(req.initialDir, "/prog/dir");
    EXPECT_EQ(req.filter, "*.*|*.*|*.bin  二进制格式|*.bin|*.hex  Intel 十六进制|*.hex|*.jed  可编程逻辑器件|*.jed");

    // The lane pair stays with the dialog; the end field is reset by every Load.
    commands.formatDialog().control("Edit2").setText("123");
    load(path, [](TFileFormat& d) { EXPECT_EQ(d.control("Edit2").text(), "ffffff"); });
    EXPECT_EQ(commands.formatDialog().laneSelect(), 1);
}

TEST_F(FileCommandsTest, PreselectionFollowsTheExtensionAndEnablesTheBinaryFields) {
    struct Case { const char *name, *key; bool binaryFields; };
    for (const Case c : {Case{"data.hex", ".HEX", false}, Case{"data.txt", ".BIN", true},
                         Case{"x.hex/data", ".BIN", true}, Case{"a.CDS", ".CDS", false}, Case{"f.jed", ".JED", false}}) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file(c.name);
        fs::create_directories(fs::path(path).parent_path());
        test::writeFile(path, "");
        load(path, [&](TFileFormat& d) {
            EXPECT_EQ(d.selectedKey(), c.key);
            EXPECT_EQ(d.control("Edit1").enabled() && d.control("RadioGroup2").enabled(), c.binaryFields);
        });
    }
}

TEST_F(FileCommandsTest, CancelledOrUnreadableLoadsChangeNothing) {
    commands.LoadFileClick(); // open dialog cancelled
    fake.files.openNames.push_back(dir.file("a.bin"));
    fake.windows.modalScripts["TFileFormat"] = [](Form& f) { return f.close(), Form::ModalCancel; }; // close box
    commands.LoadFileClick();
    struct Case { int item; std::string message; };
    const std::string path = dir.file("missing.dat");
    for (const Case& c : {Case{TFileFormat::FormatBin, "Can't open this file:\n"},
                          Case{TFileFormat::FormatCds, "Can't open this file:\n"},
                          Case{TFileFormat::FormatHex, "Can't open this file!\n" + path},
                          Case{TFileFormat::FormatJed, "Can't open this file!\n" + path}}) {
        SCOPED_TRACE(c.message);
        fake.prompts.shown.clear();
        load(path, [&](TFileFormat& d) { d.userSetIndex("RadioGroup1", c.item); });
        EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{c.message});
    }
    EXPECT_FALSE(documents.hasHexWindow() || documents.hasPldWindow());
    EXPECT_EQ((*buffer)[0], 0xFF);
    EXPECT_TRUE(labels.empty());
}

TEST_F(FileCommandsTest, HexCdsAndJedecLoads) {
    documents.openPldWindow();
    const std::string hex = dir.file("data.hex");
    test::writeFile(hex, ":0400100011223344xx\n:020020005566FF\n:00000001FF");
    load(hex);
    EXPECT_FALSE(documents.hasPldWindow());
    EXPECT_EQ(bufferBytes(*buffer, 0x10, 4), "\x11\x22\x33\x44");
    EXPECT_EQ(documents.endAddress(), 0x21);
    EXPECT_EQ(labels, std::vector<std::string>{"Fiel: " + hex});
    ASSERT_EQ(fake.prompts.shown.size(), 1u);
    EXPECT_NE(fake.prompts.shown[0].text.find("2 bad records"), std::string::npos);
    EXPECT_NE(fake.prompts.shown[0].text.find("line 1"), std::string::npos);

    test::writeFile(dir.file("x.cds"), "HHabcdefgh");
    load(dir.file("x.cds"));
    EXPECT_EQ(bufferBytes(*buffer, 0, 8), "abcdefgh");
    EXPECT_EQ(documents.endAddress(), 7);

    test::writeFile(dir.file("logic.jed"), "GAL16V8*\nL0000 0101*\nC0000*");
    load(dir.file("logic.jed"));
    EXPECT_FALSE(documents.hasHexWindow());
    ASSERT_TRUE(documents.hasPldWindow());
    EXPECT_EQ(bufferBytes(*buffer, 0, 6), "010100");
}

TEST_F(FileCommandsTest, SaveWritesOnlyTheFormatOfTheOpenWindow) {
    commands.SaveBufClick(); // no window: no dialog at all
    EXPECT_TRUE(fake.files.requests.empty());

    documents.New();
    documents.setEndAddress(0x11);
    save(dir.file("out.hex"), [](TFileFormat& d) { EXPECT_FALSE(d.control("Edit2").enabled()); });
    EXPECT_EQ(test::readFile(dir.file("out.hex")).substr(44), ":02001000FFFFF0\n:00000001FF");
    documents.setEndAddress(0);
    save(dir.file("out.bin"));
    EXPECT_EQ(test::readFile(dir.file("out.bin")), "\xFF");

    // CDS cannot be saved; JEDEC needs the PLD window and the PLD window only JEDEC.
    auto refused = [&](const char* name) {
        fake.prompts.shown.clear();
        save(dir.file(name));
        EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Bad format"}) << name;
        EXPECT_FALSE(fs::exists(dir.file(name))) << name;
    };
    refused("out.cds");
    refused("out.jed");
    documents.openPldWindow();
    refused("fuses.hex");
    refused("fuses.bin");
    EXPECT_FALSE(fs::exists(dir.file("out.JED")));

    std::fill(buffer->data(), buffer->data() + 2240, '0');
    save(dir.file("logic.txt"), [](TFileFormat& d) { d.userSetIndex("RadioGroup1", TFileFormat::FormatJed); });
    EXPECT_FALSE(fs::exists(dir.file("logic.txt")));
    EXPECT_EQ(test::readFile(dir.file("logic.JED")).rfind("GAL16V8\nMorvek*\nL0000 \n", 0), 0u);
}

TEST_F(FileCommandsTest, CancelledSaveKeepsTheNameAndWriteFailuresAreReported) {
    documents.New();
    fake.files.saveNames.push_back(dir.file("kept.bin"));
    commands.SaveBufClick(); // the format dialog is cancelled
    EXPECT_EQ(state.fileName, dir.file("kept.bin"));
    EXPECT_FALSE(fs::exists(dir.file("kept.bin")));
    save("/nonexistent/dir/x.bin");
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Can't write this file!\n/nonexistent/dir/x.bin"});
}

TEST_F(FileCommandsTest, StartUpReloadByExtension) {
    const std::string hex = dir.file("last.hex");
    test::writeFile(hex, ":0100050042B8\n:00000001FF");
    EXPECT_TRUE(commands.ReloadDataFile(hex));
    EXPECT_EQ((*buffer)[5], 0x42);
    EXPECT_EQ(labels.back(), "<File>" + hex);
    test::writeFile(dir.file("last.JED"), "*L0000 1*C*");
    EXPECT_TRUE(commands.ReloadDataFile(dir.file("last.JED")));
    EXPECT_TRUE(documents.hasPldWindow());
    test::writeFile(dir.file("notes.txt"), "x");
    for (const std::string& name : {dir.file("notes.txt"), dir.file("gone.bin"), std::string()})
        EXPECT_FALSE(commands.ReloadDataFile(name)) << name;
    EXPECT_TRUE(fake.prompts.shown.empty());
}

} // namespace
} // namespace quarvin
