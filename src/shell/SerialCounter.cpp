#include "shell/SerialCounter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

namespace quarvin {

namespace {

// An exclusive flock on a lock file beside the counter; the counter itself is
// replaced by rename, so a lock on it would guard the old file.
class CounterLock {
public:
    explicit CounterLock(const std::string& counterPath) {
        const std::string lockPath = counterPath + ".lock";
        fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0) {
            error_ = "cannot open " + lockPath + ": " + std::strerror(errno);
            return;
        }
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            error_ = "cannot lock " + lockPath + ": " + std::strerror(errno);
            return;
        }
    }
    ~CounterLock() {
        if (fd_ >= 0) ::close(fd_); // closing releases the lock
    }
    CounterLock(const CounterLock&) = delete;
    CounterLock& operator=(const CounterLock&) = delete;
    const std::string& error() const { return error_; }

private:
    int fd_ = -1;
    std::string error_;
};

struct CounterState {
    std::uint64_t next = 0;
    std::set<std::uint64_t> returned;
};

bool ParseNumber(const std::string& word, std::uint64_t& value) {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos) return false;
    errno = 0;
    value = std::strtoull(word.c_str(), nullptr, 10);
    return errno == 0;
}

// The state in the file, the setting's start number when there is none; an error text for a
// file that is not a counter (it is left as it is).
std::string ReadState(const std::string& path, const SerialSpec& spec, CounterState& state) {
    std::ifstream in(path);
    if (!in) {
        if (::access(path.c_str(), F_OK) == 0) return "cannot read the serial counter " + path;
        state.next = spec.start;
        return {};
    }
    const std::string bad = "the serial counter " + path + " is damaged: its first line must be the next number";
    std::string line;
    if (!std::getline(in, line) || !ParseNumber(line, state.next)) return bad;
    if (std::getline(in, line) && !line.empty()) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word != "returned") return bad + ", a second line \"returned N ...\"";
        for (std::uint64_t n; words >> word;) {
            if (!ParseNumber(word, n)) return bad + ", a second line \"returned N ...\"";
            state.returned.insert(n);
        }
    }
    return {};
}

std::string WriteWhole(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return "cannot write " + temporary + ": " + std::strerror(errno);
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    const bool synced = written == text.size() && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(temporary.c_str());
        return "cannot write the serial counter " + path + ": " + why;
    }
    return {};
}

std::string WriteState(const std::string& path, const CounterState& state) {
    std::string text = std::to_string(state.next) + "\n";
    if (!state.returned.empty()) {
        text += "returned";
        for (std::uint64_t n : state.returned) text += " " + std::to_string(n);
        text += "\n";
    }
    return WriteWhole(path, text);
}

} // namespace

SerialTake SerialCounter::take() {
    SerialTake r;
    CounterLock lock(path_);
    if (!lock.error().empty()) {
        r.error = lock.error();
        return r;
    }
    CounterState state;
    r.error = ReadState(path_, spec_, state);
    if (!r.error.empty()) return r;
    std::uint64_t number = state.next;
    if (!state.returned.empty()) {
        number = *state.returned.begin();
        state.returned.erase(state.returned.begin());
    } else {
        if (number > spec_.format.largest()) {
            r.error = "serial numbers used up: the next one, " + std::to_string(number) + ", does not fit " +
                      spec_.format.name() + " (largest " + std::to_string(spec_.format.largest()) + ")";
            return r;
        }
        // Past the largest the counter stays there, so the next run says so.
        state.next = number > UINT64_MAX - spec_.step ? UINT64_MAX : number + spec_.step;
    }
    r.error = WriteState(path_, state);
    if (r.error.empty()) r.number = number;
    return r;
}

std::string SerialCounter::giveBack(std::uint64_t number) {
    CounterLock lock(path_);
    if (!lock.error().empty()) return lock.error();
    CounterState state;
    if (std::string error = ReadState(path_, spec_, state); !error.empty()) return error;
    state.returned.insert(number);
    // The numbers just below the next one go back into the counter itself, so a
    // run of one process at a time keeps a one-line file.
    while (!state.returned.empty() && state.next >= spec_.step && state.returned.count(state.next - spec_.step)) {
        state.next -= spec_.step;
        state.returned.erase(state.next);
    }
    return WriteState(path_, state);
}

} // namespace quarvin
