#pragma once
// The link dialog: owner of the link state for the whole run, and a small
// diagnostics window (system version, loop-back test, speed estimate, timing
// test, Reconnect, the read-ahead switch, and what to fix about the port). Its
// status field Edit4 shows the handshake's outcome.
#include <functional>
#include <string>

#include "forms/Form.h"
#include "link/commands/LinkState.h"
#include "link/trace/LinkRecorder.h"
#include "platform/Platform.h"

namespace quarvin {

struct LinkEnvironment;

class TEp3 : public Form {
public:
    explicit TEp3(const Platform& platform);

    // Runs the link start-up (question, port search, handshake, idle state).
    // Called once by the shell right after the dialog is built; programDir is
    // where the port file lives.
    void Create(PortOpener& opener, const std::string& programDir);

    LinkState& link() { return link_; }
    // Told the port search's progress; returns false when the user cancels it
    // (see LinkEnvironment::searching). Set before Create.
    std::function<bool(const std::string&)> searchProgress;

    // Handlers.
    void Button1Click(); // "Win Version"
    void Button2Click(); // "Test COM"
    void Button3Click(); // "Speed"
    void Button4Click(); // "test 10s"
    // "Reconnect": the port search and handshake again, with the ports of Create.
    void ReconnectClick();
    void Edit3KeyDown(int key);
    // "Read ahead" switched on: the probe picks the window; switched off: window 1.
    // A real serial port's choice is stored in the fast-link settings file.
    void ReadAheadChange();
    // "Record the link" switched on: asks for a trace file and records into it;
    // switched off: the file is complete. Edit6 shows the file's name.
    void RecordChange();

protected:
    void aborted(const OperationAborted&) override;

private:
    LinkEnvironment environment(bool paintStatus);
    // The read-ahead switch and the port advice as the link now is.
    void showLink();
    // Uses `window` from now on, stores it for a real serial port, and says so
    // in Edit4 after `reason` (empty, or why read-ahead stays off).
    void useReadAheadWindow(int window, const std::string& reason);

    // The dialog's own shortcuts to its controls; others reach them by name.
    Control& Button1;
    Control& Button2;
    Control& Button3;
    Control& Button4;
    Control& Button5;
    Control& Edit1;
    Control& Edit2;
    Control& Edit3;
    Control& Edit4;
    Control& CheckBox1; // "Read ahead"
    Control& Memo1;     // the port's advice (a slow USB adapter latency timer and its fix)
    Control& Edit5;     // which folder is the program directory
    Control& CheckBox2; // "Record the link"
    Control& Edit6;     // the trace file

    Platform platform_;
    LinkState link_;
    LinkRecorder recorder_;
    PortOpener* opener_ = nullptr;
    std::string programDir_;
};

} // namespace quarvin
