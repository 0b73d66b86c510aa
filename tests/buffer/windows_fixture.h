#pragma once
// A main buffer in its start-up state with the documents over it and fake platform.
#include <gtest/gtest.h>

#include <string>

#include "buffer/Documents.h"
#include "buffer/TFileWin.h"
#include "buffer/TInputHexDlg.h"
#include "buffer/TPldFileW.h"
#include "support/FakePlatform.h"

namespace quarvin::test {

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
