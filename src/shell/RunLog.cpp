#include "shell/RunLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>

#include "forms/HexText.h"
#include "shell/Version.h"

namespace quarvin {

std::string LocalTimeStamp(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() % 1000;
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char date[32], offset[8];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    std::strftime(offset, sizeof offset, "%z", &local); // "+0100"
    std::string zone = offset;
    if (zone.size() == 5) zone.insert(3, ":");
    return Format("%s.%03d", date, static_cast<int>(millis < 0 ? millis + 1000 : millis)) + zone;
}

std::string JsonString(const std::string& text) {
    std::string s = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (c == '\n') {
            s += "\\n";
        } else if (c == '\t') {
            s += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            s += Format("\\u%04x", u);
        } else {
            s += c;
        }
    }
    return s + "\"";
}

namespace {

std::string NumberOrNull(const std::optional<std::uint32_t>& n) { return n ? std::to_string(*n) : "null"; }
std::string TextOrNull(const std::string& t) { return t.empty() ? "null" : JsonString(t); }

} // namespace

std::string RunLogLine(const OperationEntry& e, const std::string& time, const std::string& version) {
    return "{\"time\":" + JsonString(time) + ",\"version\":" + JsonString(version) + ",\"port\":" + JsonString(e.port) +
           ",\"device\":" + JsonString(e.device) + ",\"row\":" + std::to_string(e.row) +
           ",\"op\":" + JsonString(e.operation) + ",\"result\":" + JsonString(e.result) +
           ",\"message\":" + JsonString(e.message) + ",\"failure_address\":" + NumberOrNull(e.failureAddress) +
           ",\"buffer_first\":" + NumberOrNull(e.rangeFirst) + ",\"buffer_last\":" + NumberOrNull(e.rangeLast) +
           ",\"crc32\":" + TextOrNull(e.crc32) + ",\"serial\":" + TextOrNull(e.serial) + "}";
}

std::string AppendLine(const std::string& path, const std::string& line) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return "cannot open the run log " + path + ": " + std::strerror(errno);
    const std::string text = line + "\n";
    ssize_t written;
    do written = ::write(fd, text.data(), text.size());
    while (written < 0 && errno == EINTR);
    const std::string why = written < 0 ? std::strerror(errno) : "disk full";
    ::close(fd);
    if (written != static_cast<ssize_t>(text.size())) return "cannot write the run log " + path + ": " + why;
    return {};
}

std::vector<std::string> LastLines(const std::string& path, std::size_t count) {
    constexpr std::streamoff kTailBytes = 256 * 1024;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in || count == 0) return {};
    const std::streamoff size = in.tellg();
    const std::streamoff from = size > kTailBytes ? size - kTailBytes : 0;
    in.seekg(from);
    std::vector<std::string> lines;
    std::string line;
    // A read that starts inside a line drops that part line.
    if (from > 0) std::getline(in, line);
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        lines.push_back(line);
        if (lines.size() > count) lines.erase(lines.begin());
    }
    return lines;
}

void RunLogFile::record(const OperationEntry& entry) {
    const std::string line = RunLogLine(entry, LocalTimeStamp(std::chrono::system_clock::now()), ProgramVersion());
    const std::lock_guard<std::mutex> hold(mutex_);
    const std::string error = path_.empty() ? std::string() : AppendLine(path_, line);
    if (!error.empty() && !warned_ && warn_) {
        warned_ = true;
        warn_(error);
    }
    if (observer_) observer_(line);
}

} // namespace quarvin
