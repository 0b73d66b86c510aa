#pragma once
// The run log: one JSON object a line (JSON Lines) for every device operation,
// appended to quarvin.log in the program directory. Each line goes to the file in
// a single append, so the lines of processes that log at the same time never mix.
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/OperationLog.h"

namespace quarvin {

inline constexpr const char* kRunLogFileName = "quarvin.log";

// ISO 8601 local time with milliseconds and the offset: "2026-12-07T09:41:05.120+01:00".
std::string LocalTimeStamp(std::chrono::system_clock::time_point when);
// A JSON string literal of the text, quotes included.
std::string JsonString(const std::string& text);
// The entry as one JSON object, without the line end; time and version as given.
std::string RunLogLine(const OperationEntry& entry, const std::string& time, const std::string& version);
// Appends the line and its line end with one write; the error text, empty when done.
std::string AppendLine(const std::string& path, const std::string& line);

// The last `count` whole lines of a log file (of its last 256 KiB), oldest first;
// none when it cannot be read.
std::vector<std::string> LastLines(const std::string& path, std::size_t count);

// The log file of one program run (no file when the path is empty: --no-log with
// --json still shows the entries). A failing append is reported once through
// the warning callback; the operations go on.
class RunLogFile : public OperationLog {
public:
    explicit RunLogFile(std::string path, std::function<void(const std::string&)> warn = {})
        : path_(std::move(path)), warn_(std::move(warn)) {}
    void record(const OperationEntry& entry) override;
    // Each line as it is written (the window's log panel, --json).
    void setObserver(std::function<void(const std::string& line)> observer) { observer_ = std::move(observer); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::function<void(const std::string&)> warn_;
    std::function<void(const std::string&)> observer_;
    std::mutex mutex_; // boxes of a gang record from their own threads
    bool warned_ = false;
};

} // namespace quarvin
