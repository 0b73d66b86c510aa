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

using test::bufferBytes;

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() {
        buffer->initialise();
        commands.onFileLabel = [this](const std::string& t) { labels.push_back(t); };
    }

    // The format dialog answers by running `script`, then OK.
    void answerFormat(std::function<void(TFileFormat&)> script) {
        fake.windows.modalScripts["TFileFormat"] = [script](Form& f) {
            auto& d = static_cast<TFileFormat&>(f);
            if (script) script(d);
            d.click("OKBtn");
            return d.modalResult();
        };
    }
    void load(const std::string& path, std::function<void(TFileFormat&)> script = {}) {
        fake.files.openNames.push_back(path);
        answerFormat(std::move(script));
        commands.LoadFileClick();
    }
    void save(const std::string& path, std::function<void(TFileFormat&)> script = {}) {
        fake.files.saveNames.push_back(path);
        answerFormat(std::move(script));
        commands.SaveBufClick();
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
    EXPECT_EQ(documents.hexWindow()->caption(), path);
    EXPECT_EQ(labels, std::vector<std::string>{"File " + path});
    EXPECT_EQ(state.fileName, path);
    EXPECT_EQ(state.startAddress, 0x100);

    const auto& req = fake.files.requests.at(0);
    EXPECT_EQ(req.initialDir, "/prog/dir");
    EXPECT_EQ(req.defaultExt, "*.*");
    EXPECT_EQ(req.filter, "*.*|*.*|*.bin  二进制格式|*.bin|*.hex  Intel 十六进制|*.hex|*.jed  可编程逻辑器件|*.jed");

    // The lane pair stays with the dialog; the end field is reset by every Load.
    commands.formatDialog().control("Edit2").setText("123");
    load(path, [](TFileFormat& d) { EXPECT_EQ(d.control("Edit2").text(), "ffffff"); });
    EXPECT_EQ(commands.formatDialog().laneMask(), 1);
    EXPECT_EQ(commands.formatDialog().laneSelect(), 1);
}

TEST_F(FileCommandsTest, CancelledDialogsLoadNothing) {
    const std::string path = dir.file("a.bin");
    test::writeFile(path, "\x01");
    commands.LoadFileClick(); // open dialog cancelled
    EXPECT_EQ(fake.windows.created, std::vector<std::string>{"TFileFormat"}); // only the format dialog exists
    for (const char* how : {"CancelBtn", "close box"}) {
        SCOPED_TRACE(how);
        fake.files.openNames.push_back(path);
        fake.windows.modalScripts["TFileFormat"] = [how](Form& f) {
            if (std::string(how) == "CancelBtn")
                f.click("CancelBtn");
            else
                f.close();
            return Form::ModalCancel;
        };
        commands.LoadFileClick();
        EXPECT_FALSE(documents.hasHexWindow());
        EXPECT_EQ((*buffer)[0], 0xFF);
        EXPECT_EQ(commands.formatDialog().selectedKey(), "");
    }
}

TEST_F(FileCommandsTest, UnreadableFilesGiveTheirMessagesAndChangeNothing) {
    struct Case {
        const char* name;
        int item;
        std::string message;
    };
    const std::string path = dir.file("missing.dat");
    for (const Case& c : {Case{"bin", TFileFormat::FormatBin, "Can't open this file:\n"},
                         Case{"cds", TFileFormat::FormatCds, "Can't open this file:\n"},
                         Case{"hex", TFileFormat::FormatHex, "Can't open this file!\n" + path},
                         Case{"jed", TFileFormat::FormatJed, "Can't open this file!\n" + path}}) {
        SCOPED_TRACE(c.name);
        fake.prompts.shown.clear();
        load(path, [&](TFileFormat& d) { d.userSetIndex("RadioGroup1", c.item); });
        ASSERT_EQ(fake.prompts.shown.size(), 1u);
        EXPECT_EQ(fake.prompts.shown[0].text, c.message);
        EXPECT_EQ(fake.prompts.shown[0].title, " ");
        EXPECT_FALSE(documents.hasHexWindow());
        EXPECT_FALSE(documents.hasPldWindow());
    }
    EXPECT_TRUE(labels.empty());
}

TEST_F(FileCommandsTest, HexLoadReplacesThePldWindowAndReportsBadRecords) {
    documents.openPldWindow();
    const std::string path = dir.file("data.hex");
    test::writeFile(path, ":0400100011223344xx\n:020020005566FF\n:00000001FF");
    load(path);
    EXPECT_FALSE(documents.hasPldWindow());
    ASSERT_TRUE(documents.hasHexWindow());
    EXPECT_EQ(bufferBytes(*buffer, 0x10, 4), "\x11\x22\x33\x44");
    EXPECT_EQ(documents.endAddress(), 0x21);
    EXPECT_EQ(labels, std::vector<std::string>{"Fiel: " + path});
    ASSERT_EQ(fake.prompts.shown.size(), 1u);
    EXPECT_NE(fake.prompts.shown[0].text.find("2 bad records"), std::string::npos);
    EXPECT_NE(fake.prompts.shown[0].text.find("line 1"), std::string::npos);
}

TEST_F(FileCommandsTest, CdsAndJedecLoads) {
    const std::string cds = dir.file("x.cds");
    test::writeFile(cds, "HHabcdefgh");
    load(cds);
    EXPECT_EQ(bufferBytes(*buffer, 0, 8), "abcdefgh");
    EXPECT_EQ(documents.endAddress(), 7);

    const std::string jed = dir.file("logic.jed");
    test::writeFile(jed, "GAL16V8*\nL0000 0101*\nC0000*");
    load(jed);
    EXPECT_FALSE(documents.hasHexWindow());
    ASSERT_TRUE(documents.hasPldWindow());
    EXPECT_EQ(documents.pldWindow()->caption(), jed);
    EXPECT_EQ(bufferBytes(*buffer, 0, 6), "010100");
    EXPECT_EQ((*buffer)[2239], '0');
}

TEST_F(FileCommandsTest, PreselectionFollowsTheExtensionAndEnablesTheBinaryFields) {
    struct Case {
        const char* name;
        const char* key;
        bool binaryFields;
    };
    for (const Case c : {Case{"data.hex", ".HEX", false}, Case{"data.txt", ".BIN", true},
                         Case{"/x.hex/data", ".BIN", true}, Case{"a.CDS", ".CDS", false}, Case{"f.jed", ".JED", false}}) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file(c.name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        test::writeFile(path, "");
        std::string seen;
        bool enabled = false;
        load(path, [&](TFileFormat& d) {
            seen = d.selectedKey();
            enabled = d.control("Edit1").enabled() && d.control("RadioGroup2").enabled();
            EXPECT_EQ(d.caption(), path);
        });
        EXPECT_EQ(seen, c.key);
        EXPECT_EQ(enabled, c.binaryFields);
    }
}

TEST_F(FileCommandsTest, SaveWritesTheFormatOfTheOpenWindow) {
    commands.SaveBufClick(); // no window: no dialog at all
    EXPECT_TRUE(fake.files.requests.empty());

    documents.New();
    documents.setEndAddress(0x11);
    const std::string hex = dir.file("out.hex");
    save(hex, [](TFileFormat& d) {
        EXPECT_FALSE(d.control("RadioGroup2").enabled());
        EXPECT_FALSE(d.control("Edit1").enabled());
        EXPECT_FALSE(d.control("Edit2").enabled());
    });
    const std::string text = test::readFile(hex);
    EXPECT_EQ(text.substr(text.find('\n') + 1, 9), ":02001000");
    EXPECT_EQ(text.substr(text.size() - 11), ":00000001FF");
    EXPECT_EQ(fake.files.requests.back().initialDir, "/prog/dir");

    const std::string bin = dir.file("out.bin");
    documents.setEndAddress(0);
    save(bin);
    EXPECT_EQ(test::readFile(bin).size(), 1u);

    // CDS cannot be saved; a JEDEC save needs the PLD window.
    for (const char* name : {"out.cds", "out.jed"}) {
        fake.prompts.shown.clear();
        save(dir.file(name));
        EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Bad format"});
        EXPECT_FALSE(std::filesystem::exists(dir.file(name)));
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.JED")));
    }
}

TEST_F(FileCommandsTest, SaveWithOnlyAPldWindow) {
    documents.openPldWindow();
    for (const char* name : {"fuses.hex", "fuses.bin"}) {
        fake.prompts.shown.clear();
        save(dir.file(name));
        EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Bad format"});
        EXPECT_FALSE(std::filesystem::exists(dir.file(name)));
    }
    std::fill(buffer->data(), buffer->data() + 2240, '0');
    save(dir.file("logic.jed"));
    save(dir.file("logic.txt"), [](TFileFormat& d) { d.userSetIndex("RadioGroup1", TFileFormat::FormatJed); });
    EXPECT_TRUE(std::filesystem::exists(dir.file("logic.jed")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("logic.JED")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("logic.txt")));
    const std::string text = test::readFile(dir.file("logic.jed"));
    EXPECT_EQ(text.rfind("GAL16V8\nMorvek*\nL0000 \n", 0), 0u);
    EXPECT_EQ(text, test::readFile(dir.file("logic.JED")));
}

TEST_F(FileCommandsTest, CancelledSaveStillChangesTheFileNameAndFailuresAreReported) {
    documents.New();
    fake.files.saveNames.push_back(dir.file("kept.bin"));
    commands.SaveBufClick(); // the format dialog is cancelled
    EXPECT_EQ(state.fileName, dir.file("kept.bin"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("kept.bin")));

    save("/nonexistent/dir/x.bin");
    ASSERT_EQ(fake.prompts.shown.size(), 1u);
    EXPECT_EQ(fake.prompts.shown[0].text, "Can't write this file!\n/nonexistent/dir/x.bin");
}

TEST_F(FileCommandsTest, StartUpReloadByExtension) {
    const std::string hex = dir.file("last.hex");
    test::writeFile(hex, ":0100050042B8\n:00000001FF");
    EXPECT_TRUE(commands.ReloadDataFile(hex));
    EXPECT_EQ((*buffer)[5], 0x42);
    EXPECT_EQ(labels.back(), "<File>" + hex);
    EXPECT_EQ(state.fileName, hex);

    const std::string jed = dir.file("last.JED");
    test::writeFile(jed, "*L0000 1*C*");
    EXPECT_TRUE(commands.ReloadDataFile(jed));
    EXPECT_TRUE(documents.hasPldWindow());

    const std::string other = dir.file("notes.txt");
    test::writeFile(other, "x");
    EXPECT_FALSE(commands.ReloadDataFile(other));
    EXPECT_FALSE(commands.ReloadDataFile(dir.file("gone.bin")));
    EXPECT_FALSE(commands.ReloadDataFile(""));
    EXPECT_TRUE(fake.prompts.shown.empty());
}

} // namespace
} // namespace quarvin
