#pragma once
// A test on the program as a user meets it on the virtual box: started with
// "Yes" to the start question, so that the Virtual socket window is open, and
// ended by closing its main window.
#include "MainWindowView.h"
#include "QtProgram.h"
#include "guitest.h"

namespace quarvin::guitest {

class OnTheVirtualBox : public ::testing::Test {
protected:
    OnTheVirtualBox() : dir(ProgramDir("vbox", true)), program(dir, nullptr) {
        StartAnsweringYes(program);
        main = program.mainWindow();
    }
    ~OnTheVirtualBox() override { main->close(); }
    void SetUp() override { ASSERT_NE(program.virtualSocket(), nullptr) << "the virtual socket window opens with VBOX"; }

    const std::string dir; // the program directory, with a trailing '/'
    app::QtProgram program;
    app::MainWindowView* main = nullptr;
};

} // namespace quarvin::guitest
