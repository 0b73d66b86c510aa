// The fast-link settings file: the stored read-ahead window of real serial ports.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "link/FastLinkSettings.h"

namespace quarvin::test {
namespace {

class FastLinkFile : public ::testing::Test {
protected:
    FastLinkFile() { std::filesystem::create_directories(dir); }
    ~FastLinkFile() override { std::filesystem::remove_all(dir); }
    void write(const std::string& text) { std::ofstream(dir / FastLinkFileName, std::ios::binary) << text; }

    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quarvin_fastlink_" + std::to_string(::getpid()));
};

TEST_F(FastLinkFile, ReadsTheStoredWindowAndFallsBackToOneOnAnythingElse) {
    struct Row { const char* content; int window; };
    const Row rows[] = {
        {nullptr, 1}, // no file
        {"", 1},
        {"read-ahead-window=64\n", 64},
        {"read-ahead-window=8", 8},             // no line end
        {"read-ahead-window=32\r\n", 32},       // written on another system
        {"# comment\nread-ahead-window=16\n", 16},
        {"read-ahead-window=0\n", 1},
        {"read-ahead-window=-4\n", 1},
        {"read-ahead-window=9999\n", 256},      // no window is larger than a page
        {"read-ahead-window=\n", 1},
        {"read-ahead-window=abc\n", 1},
        {"read-ahead-window=12x\n", 1},
        {"read-ahead-window = 12\n", 1},
        {"READ-AHEAD-WINDOW=12\n", 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.content ? r.content : "(missing)");
        std::filesystem::remove(dir / FastLinkFileName);
        if (r.content) write(r.content);
        EXPECT_EQ(LoadSerialReadAheadWindow(dir.string()), r.window);
        EXPECT_EQ(LoadSerialReadAheadWindow(dir.string() + "/"), r.window) << "with a trailing slash";
    }
}

TEST_F(FastLinkFile, SavedWindowsComeBackWithinOneToAPageAndAMissingDirectoryFails) {
    struct Row { int saved; int loaded; };
    const Row rows[] = {{1, 1}, {2, 2}, {128, 128}, {256, 256}, {0, 1}, {-3, 1}, {1000, 256}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.saved);
        ASSERT_TRUE(SaveSerialReadAheadWindow(dir.string(), r.saved));
        EXPECT_EQ(LoadSerialReadAheadWindow(dir.string()), r.loaded);
    }
    std::ifstream in(dir / FastLinkFileName, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "read-ahead-window=256\n") << "the file is replaced, not appended to";
    EXPECT_FALSE(SaveSerialReadAheadWindow((dir / "no" / "such").string(), 64)) << "a missing directory";
}

TEST_F(FastLinkFile, OnlyARealSerialPortStartsWithTheStoredWindow) {
    write("read-ahead-window=4\n");
    struct Row { LineKind kind; int window; };
    const Row rows[] = {
        {LineKind::SerialPort, 4},
        {LineKind::VirtualBox, DefaultReadAheadWindow},
        {LineKind::PseudoTerminal, DefaultReadAheadWindow},
        {LineKind::Unknown, 1},
    };
    for (const Row& r : rows) EXPECT_EQ(ReadAheadWindowFor(r.kind, dir.string()), r.window);
}

} // namespace
} // namespace quarvin::test
