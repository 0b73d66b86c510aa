#pragma once
// Helpers of the buffer tests: scratch files, buffers to load into, and a
// start-up buffer with the documents over it and a fake platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "buffer/Documents.h"
#include "buffer/TFileWin.h"
#include "buffer/TInputHexDlg.h"
#include "buffer/TPldFileW.h"
#include "support/FakePlatform.h"
#include "support/ScratchDir.h"

namespace quarvin::test {

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A buffer as at program start.
inline std::unique_ptr<MainBuffer> startBuffer() {
    auto b = std::make_unique<MainBuffer>();
    b->initialise();
    return b;
}

// Bytes that differ from address to address and across 64 KiB pages.
inline std::string pattern(std::size_t n, unsigned seed = 1) {
    std::string s(n, '\0');
    std::uint32_t x = seed * 2654435761u + 12345u;
    for (auto& c : s) c = static_cast<char>((x = x * 1103515245u + 12345u) >> 16);
    return s;
}

inline std::string bufferBytes(const MainBuffer& b, std::uint32_t from, std::uint32_t n) {
    return std::string(reinterpret_cast<const char*>(b.data()) + from, n);
}

class WindowsTest : public ::testing::Test {
protected:
    WindowsTest() { buf.initialise(); }

    TFileWin& hex(std::int32_t viewStart = 0) {
        docs.New();
        docs.hexWindow()->setViewStartAddress(viewStart);
        docs.hexWindow()->Refresh();
        return *docs.hexWindow();
    }
    // Puts the caret at a line and column of a window's text.
    static void caretAt(TextWindow& w, int line, int column) { w.OnSelectionChange(w.positionOf(line, column), 0); }
    static CharMark markAt(const TextWindow& w, int line, int column) {
        return w.marks()[static_cast<std::size_t>(line)][static_cast<std::size_t>(column)];
    }
    static std::string field(Form& f, const char* name) { return f.control(name).text(); }

    MainBuffer buf;
    FakePlatform fake;
    Documents docs{buf, fake.platform};
};

} // namespace quarvin::test
