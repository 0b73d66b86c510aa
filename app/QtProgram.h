#pragma once
// The program with its Qt platform: the adapters, the window host, the port opener
// (the serial ports of this machine, and "VBOX" for the embedded virtual box) and
// the core Program. main() runs it; the GUI tests too.
#include <memory>
#include <string>

#include "QtPlatform.h"
#include "QtWindowHost.h"
#include "shell/Program.h"

class QProgressDialog;

namespace quarvin::sim {
class VirtualPortOpener;
class VirtualSocket;
}

namespace quarvin::app {

class MainWindowView;
class RunLogPanel;

class QtProgram : private FormObserver {
public:
    // programDir: the working directory at start-up followed by "/". realPorts
    // opens the machine's serial ports; without it only "VBOX" opens (tests).
    explicit QtProgram(std::string programDir, std::unique_ptr<PortOpener> realPorts = DefaultPortOpener());
    static std::unique_ptr<PortOpener> DefaultPortOpener();
    ~QtProgram();

    // The start-up order; the main window is shown maximised afterwards.
    void start();

    Program& program() { return *program_; }
    QtWindowHost& host() { return host_; }
    MainWindowView* mainWindow() const { return host_.mainWindow(); }
    QtStopRequest& stop() { return stop_; }
    // The port search's window while it is on screen, else nullptr.
    QProgressDialog* portSearchWindow() const { return search_.get(); }
    sim::VirtualPortOpener& ports() { return *ports_; }
    // The "Virtual socket" window, when the embedded virtual box is the link.
    sim::VirtualSocket* virtualSocket() const { return socket_.get(); }
    // The run log's dockable panel, once the main window is there.
    RunLogPanel* runLogPanel() const { return logPanel_; }

    // The working directory followed by "/", however long it is.
    static std::string CurrentProgramDir();

private:
    void linkReady();
    // The port search's window: which port is being tried, and Cancel.
    bool portSearchProgress(const std::string& text);
    void endPortSearch();
    // A family dialog is shown for a device: a new selection puts a blank part of
    // that type into the virtual socket.
    void formChanged(Form& form, FormEvent event) override;

    QtPrompts prompts_;
    QtFileDialogs files_;
    QtPrinter printer_;
    PosixSystemInfo system_;
    QtStopRequest stop_;
    QtWindowHost host_;
    Platform platform_;
    std::unique_ptr<sim::VirtualPortOpener> ports_;
    std::unique_ptr<sim::VirtualSocket> socket_;
    int operationListener_ = 0;
    std::unique_ptr<QProgressDialog> search_;
    std::unique_ptr<Program> program_;
    std::string socketFamily_;
    int socketSubType_ = -1;
    std::string socketType_;
    RunLogPanel* logPanel_ = nullptr; // owned by the main window
};

} // namespace quarvin::app
