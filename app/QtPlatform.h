#pragma once
// The platform interfaces answered with Qt and the operating system.
#include <QObject>
#include <QStringList>

#include "platform/Platform.h"

class QWidget;

namespace quarvin::app {

class QtPrompts : public Prompts {
public:
    void message(const std::string& text, const std::string& title) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    bool askYesCancel(const std::string& text, const std::string& title) override;
    void beep() override;
};

// Turns a "Text (*.bin)|*.BIN|..." filter into Qt name filters. Each pattern also
// matches its lower- and upper-case spelling, since files on this system come in both.
QStringList NameFilters(const std::string& filter);
// The suffix a typed name without one receives: "bin" for "*.bin" or ".bin", none
// for a pattern such as "*.*".
QString DefaultSuffix(const std::string& defaultExt);

class QtFileDialogs : public FileDialogs {
public:
    std::optional<std::string> openName(const FileDialogRequest& request) override;
    std::optional<std::string> saveName(const FileDialogRequest& request) override;
};

class QtPrinter : public Printer {
public:
    bool print(const std::string& title, const std::string& text) override;
};

class PosixSystemInfo : public SystemInfo {
public:
    OsVersion osVersion() override;
    std::int64_t wallClockMs() override;
};

// Set by Esc or Ctrl+C anywhere in the program, or by a Stop button, while an
// operation runs; the running loop polls it between steps.
class QtStopRequest : public QObject, public StopRequest {
public:
    QtStopRequest();
    bool stopRequested() override { return requested_; }
    void clear() override { requested_ = false; }
    void request() { requested_ = true; }
    // A handler starts or ends; keys count as a stop only while one runs.
    void begin();
    void end();
    bool running() const { return running_ > 0; }
    // A modal dialog opened by the running handler takes the user's actions again
    // until it closes.
    int suspend() {
        int r = running_;
        running_ = 0;
        return r;
    }
    void resume(int r) { running_ = r; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool requested_ = false;
    int running_ = 0;
};

// Marks a handler as running for the stop request for the length of a scope.
class RunningOperation {
public:
    explicit RunningOperation(QtStopRequest* stop) : stop_(stop) { if (stop_) stop_->begin(); }
    ~RunningOperation() { if (stop_) stop_->end(); }
    RunningOperation(const RunningOperation&) = delete;
    RunningOperation& operator=(const RunningOperation&) = delete;

private:
    QtStopRequest* stop_;
};

} // namespace quarvin::app
