#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/PortFile.h"
#include "shell/ProgramDirectory.h"
#include "support/ScratchDir.h"

using namespace quarvin;
namespace fs = std::filesystem;

namespace {

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::trunc) << text;
}

std::string Read(const fs::path& file) { return (std::ostringstream() << std::ifstream(file).rdbuf()).str(); }

// A fresh tree per test: an installed share/quarvin, a home, and a working directory.
class ProgramDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        Write(installed / "device.lst", "installed list v1");
        Write(installed / "TTL74.LIB", "library v1");
        Write(installed / "README", "not a list");
        fs::create_directories(work);
        fs::create_directories(home);
    }
    ProgramDirRequest request() const {
        ProgramDirRequest r;
        r.workingDir = work.string();
        r.home = home.string();
        r.installedDataDir = installed.string();
        r.firstStartPort = "VBOX";
        return r;
    }
    std::string userDir() const { return (home / ".local/share/quarvin").string() + "/"; }

    quarvin::test::ScratchDir scratch{"quarvin_program_dir"};
    fs::path root = scratch.path(), installed = root / "usr/share/quarvin", home = root / "home", work = root / "work";
};

bool Mentions(const std::vector<std::string>& lines, const std::string& text) {
    return std::ranges::any_of(lines, [&](const std::string& n) { return n.find(text) != std::string::npos; });
}

} // namespace

TEST_F(ProgramDirTest, WhichFolderIsChosen) {
    Write(root / "listdir/devicec.lst", "x");
    Write(root / "xdg/.keep", "");
    using SetUp = std::function<void(ProgramDirRequest&)>;
    struct Case { const char* name; SetUp setUp; std::string dir; ProgramDirSource source; };
    const std::string listDir = (root / "listdir").string() + "/", workDir = work.string() + "/";
    const auto user = ProgramDirSource::UserDataDirectory, working = ProgramDirSource::WorkingDirectory;
    const Case cases[] = {
        {"explicit wins over a list in the working directory",
         [&](ProgramDirRequest& r) { r.workingDir = listDir, r.explicitDir = "/elsewhere"; }, "/elsewhere/",
         ProgramDirSource::Explicit},
        {"working directory with a device list", [&](auto& r) { r.workingDir = listDir; }, listDir, working},
        {"working directory without one: the user data directory", [](ProgramDirRequest&) {}, userDir(), user},
        {"XDG_DATA_HOME moves the user data directory",
         [&](auto& r) { r.xdgDataHome = (root / "xdg").string(); }, (root / "xdg/quarvin/").string(), user},
        {"a relative XDG_DATA_HOME is ignored", [](auto& r) { r.xdgDataHome = "relative"; }, userDir(), user},
        {"nothing installed and no user copy: the working directory",
         [&](ProgramDirRequest& r) { r.installedDataDir = (root / "none").string(); }, workDir, working},
        {"no home at all: the working directory", [](ProgramDirRequest& r) { r.home.clear(); }, workDir, working},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(home);
        fs::remove_all(root / "xdg/quarvin");
        ProgramDirRequest r = request();
        c.setUp(r);
        const ProgramDirChoice choice = ChooseProgramDir(r);
        EXPECT_EQ(choice.dir, c.dir);
        EXPECT_EQ(choice.source, c.source);
        EXPECT_TRUE(c.source != user || HoldsDeviceList(choice.dir)) << "the lists were copied in";
    }
    EXPECT_FALSE(fs::exists(root / "listdir/.installed-copies")) << "a chosen working directory is left alone";
}

TEST_F(ProgramDirTest, FirstStartCopiesTheListsNamesTheVirtualBoxOnlyWithoutAnAdapterAndAnUnwritableHomeIsSaid) {
    const ProgramDirChoice first = ChooseProgramDir(request());
    EXPECT_EQ(Read(first.dir + "device.lst"), "installed list v1");
    EXPECT_EQ(Read(first.dir + "TTL74.LIB"), "library v1");
    EXPECT_FALSE(fs::exists(first.dir + "README"));
    EXPECT_EQ(readPortFile(first.dir), std::optional<std::string>("VBOX"));
    ASSERT_EQ(first.done.size(), 1u);
    EXPECT_EQ(first.done[0], "Copied TTL74.LIB, device.lst from " + installed.string());
    const ProgramDirChoice again = ChooseProgramDir(request());
    EXPECT_TRUE(again.done.empty() && again.warnings.empty()) << "nothing to say when nothing changed";

    // A later start never names a port the user removed; an adapter means no VBOX.
    fs::remove(first.dir + PortFileName);
    ChooseProgramDir(request());
    EXPECT_FALSE(fs::exists(first.dir + PortFileName));
    fs::remove_all(home);
    ProgramDirRequest withAdapter = request();
    withAdapter.serialAdapterPresent = true;
    EXPECT_FALSE(fs::exists(ChooseProgramDir(withAdapter).dir + PortFileName));

    // An unwritable home falls back to the working directory and says why.
    fs::remove_all(home);
    Write(home / ".local", "a file where the folder should be");
    const ProgramDirChoice choice = ChooseProgramDir(request());
    EXPECT_EQ(choice.source, ProgramDirSource::WorkingDirectory);
    EXPECT_TRUE(Mentions(choice.warnings, "Cannot create"));
    EXPECT_NE(DescribeProgramDir(choice).find(work.string()), std::string::npos);
}

TEST_F(ProgramDirTest, NewerInstalledListsReplaceUntouchedCopiesAndEditedOnesAreKeptAndReportedOnce) {
    ChooseProgramDir(request());
    Write(userDir() + "device.lst", "my own list");
    Write(installed / "device.lst", "installed list v2");
    Write(installed / "TTL74.LIB", "library v2");

    const ProgramDirChoice second = ChooseProgramDir(request());
    EXPECT_EQ(Read(userDir() + "device.lst"), "my own list");
    EXPECT_EQ(Read(userDir() + "TTL74.LIB"), "library v2");
    EXPECT_TRUE(Mentions(second.warnings, "Kept your edited device.lst"));
    EXPECT_TRUE(Mentions(second.done, "Updated TTL74.LIB"));

    EXPECT_FALSE(Mentions(ChooseProgramDir(request()).warnings, "device.lst")) << "reported once per installed version";
    Write(installed / "device.lst", "installed list v3");
    EXPECT_TRUE(Mentions(ChooseProgramDir(request()).warnings, "Kept your edited device.lst"));
    EXPECT_EQ(Read(userDir() + "device.lst"), "my own list");

    // A list the user put there before any copy was made counts as theirs too.
    fs::remove_all(home);
    Write(userDir() + "device.lst", "brought along");
    EXPECT_TRUE(Mentions(ChooseProgramDir(request()).warnings, "Kept your edited device.lst"));
    EXPECT_EQ(Read(userDir() + "device.lst"), "brought along");
}
