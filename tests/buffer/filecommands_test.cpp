// Load and Save through the format dialog, and the start-up reload.
#include "buffer/FileCommands.h"
#include "buffer/TPldFileW.h"
#include "testutil.h"

#include <sys/stat.h>

namespace quarvin {
namespace {

namespace fs = std::filesystem;
using test::bufferBytes;

TEST(FormatDialog, LoadModesAndFieldsParsedLikeScanfHex) {
    TFileFormat d;
    const int lanes[8][2] = {{0, 0}, {0, 0}, {1, 0}, {1, 1}, {3, 0}, {3, 1}, {3, 2}, {3, 3}};
    for (int i = 7; i >= 0; --i) { // backwards, so that each pair differs from the one before
        d.userSetIndex("RadioGroup2", i);
        EXPECT_EQ(std::pair(d.laneMask(), d.laneSelect()), std::pair(lanes[i][0], lanes[i][1])) << i;
    }
    struct Case { const char *start, *end; std::int32_t startValue, endValue; };
    for (const Case c : {Case{"  0x1F", "0", 0x1F, TFileFormat::kNoEndLimit}, // 0 or below: no limit
                         Case{"zz", "12g", 0x1F, 0x12}}) {                     // no digits keep the value
        d.userSetText("Edit1", c.start);
        d.userSetText("Edit2", c.end);
        d.click("OKBtn");
        EXPECT_EQ(std::pair(d.startAddress(), d.endLimit()), std::pair(c.startValue, c.endValue)) << c.start;
    }
    d.prepare("a.hex");
    d.close(); // the close box cancels
    EXPECT_EQ(d.selectedKey(), "");
    d.prepare("a.jed");
    d.click("OKBtn");
    d.close(); // closing after OK keeps the choice
    EXPECT_EQ(d.selectedKey(), ".JED");
}

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() {
        buffer->initialise();
        commands.onFileLabel = [this](const std::string& t) { labels.push_back(t); };
    }
    // Loads or saves `path`; the format dialog runs `script`, then OK.
    void run(bool loading, const std::string& path, std::function<void(TFileFormat&)> script = {}) {
        (loading ? fake.files.openNames : fake.files.saveNames).push_back(path);
        fake.windows.modalScripts["TFileFormat"] = [script](Form& f) {
            auto& d = static_cast<TFileFormat&>(f);
            if (script) script(d);
            d.click("OKBtn");
            return d.modalResult();
        };
        loading ? commands.LoadFileClick() : commands.SaveBufClick();
    }
    // A load of a new file with these bytes.
    void load(const std::string& name, const std::string& bytes, std::function<void(TFileFormat&)> script = {}) {
        test::writeFile(dir.file(name), bytes);
        run(true, dir.file(name), std::move(script));
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
    load("six.bin", "\x01\x02\x03\x04\x05\x06", [](TFileFormat& d) {
        d.userSetIndex("RadioGroup2", 3); // "2th char of word16"
        d.userSetText("Edit1", "100");
    });
    EXPECT_EQ(bufferBytes(*buffer, 0x100, 3), "\x02\x04\x06");
    EXPECT_EQ(documents.endAddress(), 0x102);
    EXPECT_EQ(labels, std::vector<std::string>{"File " + dir.file("six.bin")});

    // The lane pair stays with the dialog; the end field is reset by every Load.
    commands.formatDialog().control("Edit2").setText("123");
    load("six.bin", "", [](TFileFormat& d) { EXPECT_EQ(d.control("Edit2").text(), "ffffff"); });
    EXPECT_EQ(commands.formatDialog().laneSelect(), 1);
}

TEST_F(FileCommandsTest, PreselectionFollowsTheExtensionAndEnablesTheBinaryFields) {
    struct Case { const char *name, *key; bool binaryFields; };
    fs::create_directories(dir.file("x.hex"));
    for (const Case c : {Case{"data.hex", ".HEX", false}, Case{"data.txt", ".BIN", true}, Case{"x.hex/data", ".BIN", true},
                         Case{"a.CDS", ".CDS", false}, Case{"f.jed", ".JED", false}}) {
        load(c.name, "", [&](TFileFormat& d) {
            EXPECT_EQ(d.selectedKey(), c.key) << c.name;
            EXPECT_EQ(d.control("Edit1").enabled() && d.control("RadioGroup2").enabled(), c.binaryFields) << c.name;
        });
    }
}

TEST_F(FileCommandsTest, CancelledOrUnreadableLoadsChangeNothing) {
    commands.LoadFileClick(); // open dialog cancelled
    fake.files.openNames.push_back(dir.file("a.bin"));
    fake.windows.modalScripts["TFileFormat"] = [](Form& f) { return f.close(), Form::ModalCancel; }; // close box
    commands.LoadFileClick();
    auto refused = [&](int item, const std::string& path, const std::string& message) {
        fake.prompts.shown.clear();
        run(true, path, [&](TFileFormat& d) { d.userSetIndex("RadioGroup1", item); });
        EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{message}) << path;
    };
    // A directory opens but every read of it fails.
    const std::string path = dir.file("missing.dat"), folder = dir.file("folder.dat");
    fs::create_directories(folder);
    const std::string open = "Can't open this file!\n" + path, read = "Can't read this file!\n" + folder;
    for (int item : {TFileFormat::FormatBin, TFileFormat::FormatCds}) refused(item, path, "Can't open this file:\n");
    for (int item : {TFileFormat::FormatHex, TFileFormat::FormatJed}) refused(item, path, open);
    for (int item : {TFileFormat::FormatBin, TFileFormat::FormatCds, TFileFormat::FormatHex}) refused(item, folder, read);
    EXPECT_FALSE(documents.hasHexWindow() || documents.hasPldWindow());
    EXPECT_EQ((*buffer)[0], 0xFF);
    EXPECT_TRUE(labels.empty());

    // Nor does it clear what an earlier load of the other kind brought.
    load("kept.hex", ":0100050042B8\n:00000001FF");
    refused(TFileFormat::FormatJed, folder, read);
    EXPECT_TRUE(documents.hasHexWindow() && !documents.hasPldWindow());
    EXPECT_EQ((*buffer)[5], 0x42);
    load("kept.jed", "\x02*QF4*L0 0101*C000A*\x03");
    const std::string map = bufferBytes(*buffer, 0, 4);
    for (int item : {TFileFormat::FormatBin, TFileFormat::FormatHex}) refused(item, folder, read);
    EXPECT_TRUE(documents.hasPldWindow() && !documents.hasHexWindow());
    EXPECT_EQ(bufferBytes(*buffer, 0, 4), map);
}

TEST_F(FileCommandsTest, HexAndCdsLoads) {
    load("data.hex", ":0400100011223344xx\n:020020005566FF\n:00000001FF");
    EXPECT_EQ(bufferBytes(*buffer, 0x10, 4), "\x11\x22\x33\x44");
    EXPECT_EQ(documents.endAddress(), 0x21);
    EXPECT_EQ(labels, std::vector<std::string>{"Fiel: " + dir.file("data.hex")});
    ASSERT_EQ(fake.prompts.shown.size(), 1u);
    EXPECT_NE(fake.prompts.shown[0].text.find("2 bad records"), std::string::npos);
    EXPECT_NE(fake.prompts.shown[0].text.find("line 1"), std::string::npos);

    load("x.cds", "HHabcdefgh");
    EXPECT_EQ(bufferBytes(*buffer, 0, 8), "abcdefgh");
    EXPECT_EQ(documents.endAddress(), 7);
}

// Loads of the same kind merge (and the caption says over what); a load of the
// other kind starts from the start-up buffer, so no fuse characters stay behind
// as bytes and no bytes as fuses; a file that cannot be read changes nothing.
TEST_F(FileCommandsTest, ASwitchBetweenFuseMapAndBytesStartsFromABlankBuffer) {
    const std::string jed = "GAL16V8*\nQF64*\nL0000 0101*\nC000A*";
    const std::string b = dir.file("b.hex"), c = dir.file("c.hex");
    // The file (contents none: it does not exist), an address the step is about,
    // what it holds afterwards, and the open window's caption.
    struct Step { std::string file; const char* contents; std::uint32_t probe; std::string probeBytes, caption; } steps[] = {
        {dir.file("a.jed"), jed.c_str(), 0, "0101", dir.file("a.jed")},
        {b, ":021000001122BB\n:00000001FF", 0, "\xFF\xFF\xFF\xFF", b},  // the fuse characters are gone
        {c, ":02000000334487\n:00000001FF", 0x1000, "\x11\x22", c + "  (over " + b + ")"},  // merged
        {dir.file("missing.hex"), nullptr, 0, "\x33\x44", c + "  (over " + b + ")"},     // nothing changed
        {dir.file("d.jed"), jed.c_str(), 0x1000, "\xFF\xFF", dir.file("d.jed")},            // the bytes are gone
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(st.file);
        if (st.contents) test::writeFile(st.file, st.contents);
        run(true, st.file);
        EXPECT_EQ(bufferBytes(*buffer, st.probe, static_cast<std::uint32_t>(st.probeBytes.size())), st.probeBytes);
        TextWindow* w = documents.activeWindow();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->caption(), st.caption);
    }
    // The PLD window shows the file's C field beside its own array sum, with the
    // fuses each covers.
    TPldFileW* pld = documents.pldWindow();
    ASSERT_NE(pld, nullptr);
    EXPECT_EQ(pld->control("Label5").text(), "C (QF64):");
    EXPECT_EQ(pld->control("Edit3").text(), "000A");
}

TEST_F(FileCommandsTest, SaveWritesOnlyTheFormatOfTheOpenWindow) {
    commands.SaveBufClick(); // no window: no dialog at all
    EXPECT_TRUE(fake.files.requests.empty());

    documents.New();
    documents.setEndAddress(0x11);
    run(false, dir.file("out.hex"), [](TFileFormat& d) { EXPECT_FALSE(d.control("Edit2").enabled()); });
    EXPECT_EQ(test::readFile(dir.file("out.hex")).substr(44), ":02001000FFFFF0\n:00000001FF");
    documents.setEndAddress(0);
    run(false, dir.file("out.bin"));
    EXPECT_EQ(test::readFile(dir.file("out.bin")), "\xFF");
    run(false, "/nonexistent/dir/x.bin");
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Can't write this file!\n/nonexistent/dir/x.bin"});

    // CDS cannot be saved; JEDEC needs the PLD window and the PLD window only JEDEC.
    auto refused = [&](const char* name) {
        fake.prompts.shown.clear();
        run(false, dir.file(name));
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
    run(false, dir.file("logic.txt"), [](TFileFormat& d) { d.userSetIndex("RadioGroup1", TFileFormat::FormatJed); });
    EXPECT_FALSE(fs::exists(dir.file("logic.txt")));
    EXPECT_EQ(test::readFile(dir.file("logic.JED")).rfind("GAL16V8\nMorvek*\nQF2194*\nF0*\nL0000 \n", 0), 0u);
}

TEST_F(FileCommandsTest, SrecordAndElfLoadsAndTheSrecordSave) {
    const std::string formats = QUARVIN_SOURCE_DIR "/tests/data/formats/";
    const std::string wide = test::readFile(formats + "srec/wide.s28");
    load("fw.s28", wide, [](TFileFormat& d) { EXPECT_EQ(d.selectedKey(), ".S19"); }); // preselected by its name
    EXPECT_TRUE(fake.prompts.shown.empty());
    EXPECT_EQ(documents.endAddress(), 0x107FF);
    run(false, dir.file("copy.s28"));
    EXPECT_EQ(test::readFile(dir.file("copy.s28")), wide);

    // Refused whole: the message gives the reason and the buffer keeps the S-record's bytes.
    load("cut.elf", test::readFile(formats + "elf/blink.elf").substr(0, 0x100));
    EXPECT_EQ(fake.prompts.texts(),
              std::vector<std::string>{"Segment 0 reaches beyond the end of this ELF file.\n" + dir.file("cut.elf")});
    EXPECT_EQ(test::bufferBytes(*buffer, 0, 4000), test::readFile(formats + "srec/data.bin"));

    fake.prompts.shown.clear();
    const std::string flash = test::readFile(formats + "elf/blink.bin");
    load("blink.elf", test::readFile(formats + "elf/blink.elf"));
    EXPECT_EQ(test::bufferBytes(*buffer, 0, static_cast<std::uint32_t>(flash.size())), flash);
    EXPECT_EQ(documents.endAddress(), static_cast<std::int32_t>(flash.size()) - 1);
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"AVR EEPROM data: 8 bytes at 0x810000, not loaded into "
                                                             "the buffer.\n" + dir.file("blink.elf")});
}

TEST_F(FileCommandsTest, StartUpReloadByExtension) {
    test::writeFile(dir.file("last.hex"), ":0100050042B8\n:00000001FF");
    EXPECT_TRUE(commands.ReloadDataFile(dir.file("last.hex")));
    EXPECT_EQ((*buffer)[5], 0x42);
    EXPECT_EQ(labels.back(), "<File>" + dir.file("last.hex"));
    test::writeFile(dir.file("notes.txt"), "x");
    EXPECT_FALSE(commands.ReloadDataFile(dir.file("notes.txt")) || commands.ReloadDataFile(dir.file("gone.bin")));
    EXPECT_TRUE(fake.prompts.shown.empty());
}

// A load that left the buffer short of its file marks the documents, so that the
// first device operation asks; the next clean load clears the mark. A pipe given
// as a data file is refused as unreadable instead of blocking the open.
TEST_F(FileCommandsTest, ALoadWithProblemsMarksTheBufferAndAPipeIsUnreadable) {
    struct Case { const char* name; std::string bytes; int item; bool incomplete; };
    for (const Case& c : {Case{"bad.hex", ":10000000GG\n:00000001FF", TFileFormat::FormatHex, true},
                          Case{"good.hex", ":0100000055AA\n:00000001FF", TFileFormat::FormatHex, false},
                          Case{"cut.jed", "\x02*QF100*L0 0101", TFileFormat::FormatJed, true},
                          Case{"sound.jed", "\x02*QF4*L0 0101*C000A*\x03", TFileFormat::FormatJed, false}}) {
        load(c.name, c.bytes, [&](TFileFormat& d) { d.userSetIndex("RadioGroup1", c.item); });
        EXPECT_EQ(documents.loadIncomplete(), c.incomplete) << c.name;
    }
    const std::string pipe = dir.file("pipe.hex");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fake.prompts.shown.clear();
    run(true, pipe, [](TFileFormat& d) { d.userSetIndex("RadioGroup1", TFileFormat::FormatHex); });
    EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{"Can't read this file!\n" + pipe});
}

} // namespace
} // namespace quarvin
