#pragma once
// Everything the core asks of a person or of the machine goes through these small
// interfaces: the program answers them with Qt and the system, tests with scripts.
#include <cstdint>
#include <optional>
#include <string>

namespace quarvin {

class Form;

// Message boxes and questions.
class Prompts {
public:
    virtual ~Prompts() = default;
    // A box with an OK button. An empty title means the platform's default title.
    virtual void message(const std::string& text, const std::string& title = {}) = 0;
    // Yes/No question; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title = {}) = 0;
    // Yes/Cancel question; true for Yes.
    virtual bool askYesCancel(const std::string& text, const std::string& title = {}) = 0;
    virtual void beep() = 0;
};

// What the program asks of the open and save file dialogs.
struct FileDialogRequest {
    std::string title;
    std::string initialDir;
    std::string fileName;    // proposed name
    std::string filter;      // "Bin file (*.bin)|*.BIN|Hex file (*.hex)|*.HEX" style, '|' separated pairs
    int filterIndex = 1;     // 1-based, as the filter list counts
    std::string defaultExt;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file name, or nothing when the user cancelled.
    virtual std::optional<std::string> openName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveName(const FileDialogRequest& request) = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    // Shows the print dialog and prints the text; false when the user cancelled.
    virtual bool print(const std::string& title, const std::string& text) = 0;
};

struct OsVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    int platformId = 0;
    std::string extra;      // service-pack text on the original platform; the machine name here
    std::string systemName; // "Linux"
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    virtual OsVersion osVersion() = 0;
    // Wall clock in milliseconds since some fixed point; only differences and the
    // millisecond part (value % 1000) are used.
    virtual std::int64_t wallClockMs() = 0;
};

// Whether the user asked to stop the running operation (Esc, Ctrl+C or Stop).
class StopRequest {
public:
    virtual ~StopRequest() = default;
    virtual bool stopRequested() = 0;
    virtual void clear() = 0;
};

// Where form models become windows. The program creates a view for each form it
// is told about; tests record the calls and drive modal forms by script.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void formCreated(Form& form) = 0;
    virtual void formDestroyed(Form& form) = 0;
    // Runs the form as a modal dialog and returns its modal result (see Form).
    virtual int runModal(Form& form) = 0;
};

class OperationLog;
class SerialSource;
class SocketCheckSource;

// The bundle handed to the core at start-up. Every member must be set but the
// operation log and the serial numbers, which the program sets when it has them.
struct Platform {
    Prompts* prompts = nullptr;
    FileDialogs* files = nullptr;
    Printer* printer = nullptr;
    SystemInfo* system = nullptr;
    StopRequest* stop = nullptr;
    WindowHost* windows = nullptr;
    OperationLog* operationLog = nullptr; // every device operation's entry
    SerialSource* serialNumbers = nullptr; // the window's serial number, when the program has one
    SocketCheckSource* socketCheck = nullptr; // the socket check before each operation, when the program has one
};

} // namespace quarvin
