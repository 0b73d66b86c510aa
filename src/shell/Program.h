#pragma once
// The whole program without its windowing toolkit: creates the windows in the
// start-up order, wires the main window's commands to the other parts, and shuts
// down (configuration file written, then the box powered down). The Qt program and
// the tests both run it.
#include <functional>
#include <memory>
#include <string>

#include "buffer/MainBuffer.h"
#include "link/serial/Transport.h"
#include "platform/Platform.h"
#include "shell/ConfigFile.h"
#include "shell/DeferredWindows.h"
#include "shell/RunLog.h"
#include "shell/SerialSettings.h"
#include "shell/SocketCheckSettings.h"
#include "shell/TSerialDlg.h"

namespace quarvin {

class Documents;
class FileCommands;
class FindReplace;
class TEp3;
class TFindDialog;
class TMainForm;
class TPicture1;
class TReplaceDialog;
class TTypeDlg;
struct LinkState;

class Program {
public:
    // programDir ends with "/"; the configuration, port and device list files live there.
    Program(Platform& platform, PortOpener& ports, std::string programDir);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the start-up order; afterwards the main window is shown and the toolkit's
    // message loop takes over.
    void start();
    // What closing the main window does: writes the configuration file, then powers
    // the box down. Runs once, also when called again.
    void shutDown();
    bool shutDownDone() const { return shutDown_; }

    // Called during start-up once the link is connected or in soft-run mode, before
    // the selection dialog opens the last device (the program hangs its link-side
    // windows here).
    std::function<void()> onLinkReady;
    // Called whenever the link was made, lost or given up later on (Reconnect, a
    // box that stopped answering), after the main window shows it.
    std::function<void()> onLinkChanged;
    // Told the port search's progress during start-up and Reconnect; returns false
    // when the user cancels the search.
    std::function<bool(const std::string&)> onPortSearch;

    // Configuration file: read (start-up, "Again") and the values written at exit.
    void readConfiguration();
    shell::ConfigRecord configurationRecord();

    // Option > Again: hex window, tiled windows, the saved selection back, Programme.
    void BeforClick();
    // Test > optocoupler tester (not built in this version).
    void N6Click();
    // Option > Reconnect: the link dialog's port search and handshake again.
    void ReconnectClick();
    // Option > Auto, next chip: the open device dialog's Auto, chip after chip.
    void AutoNextChipClick();

    TMainForm& mainForm() { return *main_; }
    Documents& documents() { return *docs_; }
    LinkState& link();
    TEp3& linkDialog() { return *ep3_; }
    TTypeDlg& typeDialog() { return *type_; }
    FileCommands& fileCommands() { return *files_; }
    TFindDialog& findDialog() { return *find_; }
    TReplaceDialog& replaceDialog() { return *replace_; }
    MainBuffer& buffer() { return buffer_; }
    const std::string& programDir() const { return dir_; }
    // quarvin.log in the program directory: every device operation's line.
    RunLogFile& runLog() { return *runLog_; }
    // Option > Serial number and the settings it keeps in serial.ini.
    WindowSerialNumbers& serialNumbers() { return *serialNumbers_; }
    TSerialDlg& serialDialog() { return *serialDialog_; }
    // The socket check: its option (socket.ini) and the pinouts it works from.
    WindowSocketCheck& socketCheck() { return *socketCheck_; }
    // Test > Socket check on the selected device; its message is shown.
    void SocketCheckClick();
    // Option > Check the socket before each operation: switches it.
    void SocketCheckOptionClick();

private:
    void createMainWindow();
    void createLinkDialog();
    void createTypeDialog();
    void wireCommands();
    void showLinkStatus();
    void showForm(class Form& f);

    Platform& platform_;
    PortOpener& ports_;
    std::string dir_;
    std::unique_ptr<RunLogFile> runLog_;
    std::unique_ptr<WindowSerialNumbers> serialNumbers_;
    std::unique_ptr<TSerialDlg> serialDialog_;
    std::unique_ptr<WindowSocketCheck> socketCheck_;
    MainBuffer buffer_;
    // The format dialog is built with the loaders that the start-up reload needs,
    // but is announced in its own place of the start-up order.
    DeferredWindows formatWindows_;
    Platform formatPlatform_;
    std::unique_ptr<TPicture1> splash_;
    std::unique_ptr<TMainForm> main_;
    std::unique_ptr<Documents> docs_;
    std::unique_ptr<TEp3> ep3_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<TTypeDlg> type_;
    std::unique_ptr<FindReplace> steps_;
    std::unique_ptr<TFindDialog> find_;
    std::unique_ptr<TReplaceDialog> replace_;
    bool started_ = false;
    bool shutDown_ = false;
};

} // namespace quarvin
