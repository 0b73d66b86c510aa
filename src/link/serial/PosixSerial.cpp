#include "link/serial/PosixSerial.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <ctime>
#include <cstdlib>
#include <utility>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include "link/serial/PortFacts.h"
#include "link/serial/PortNames.h"

namespace quarvin {

namespace {

// A character on the line: start bit, 8 data bits and 2 stop bits at 115200 baud.
constexpr double kCharMicroseconds = 11.0 * 1e6 / 115200;

void sleepMicroseconds(double wait) {
    timespec t{static_cast<time_t>(wait / 1e6), static_cast<long>(std::fmod(wait, 1e6) * 1000)};
    while (::nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

bool applyLineSettings(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    if (::cfsetispeed(&tio, B115200) != 0 || ::cfsetospeed(&tio, B115200) != 0) return false;
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CRTSCTS);
    tio.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

// Unix 98 pseudo-terminal slaves have majors 136..143.
constexpr unsigned PtySlaveMajorFirst = 136;
constexpr unsigned PtySlaveMajorLast = 143;

LineKind lineKindOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return LineKind::Unknown;
    const unsigned m = major(st.st_rdev);
    return m >= PtySlaveMajorFirst && m <= PtySlaveMajorLast ? LineKind::PseudoTerminal : LineKind::SerialPort;
}

// Asks the driver to hand over received bytes at once instead of batching them.
// Drivers that do not know the request (pseudo-terminals, some adapters) refuse
// it; that changes nothing else.
void askLowLatency(int fd) {
    struct serial_struct info {};
    if (::ioctl(fd, TIOCGSERIAL, &info) != 0) return;
    info.flags |= ASYNC_LOW_LATENCY;
    ::ioctl(fd, TIOCSSERIAL, &info);
}

} // namespace

PosixSerialTransport::~PosixSerialTransport() { close(); }

bool PosixSerialTransport::write(const std::uint8_t* data, std::size_t n) {
    if (fd_ < 0) return false;
    std::size_t done = 0;
    while (done < n) {
        ssize_t w = ::write(fd_, data + done, n - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            unpaced_ += static_cast<std::size_t>(w);
        } else if (w < 0 && errno == EINTR) {
            continue;
        } else if (w < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Output queue full: wait until the line drains a little.
            pollfd p{fd_, POLLOUT, 0};
            if (::poll(&p, 1, 2000) <= 0) return false;
        } else {
            return false;
        }
    }
    return true;
}

bool PosixSerialTransport::quiet(double microseconds) {
    if (fd_ < 0) return false;
    // The driver's queue is empty after tcdrain, but a USB adapter may still hold
    // what it was given in its own FIFO: the wait covers those bytes' line time
    // too, and a USB frame, so the box has the whole time to itself.
    if (::tcdrain(fd_) != 0 && errno != EINTR) return false;
    constexpr double kUsbFrameMicroseconds = 1000;
    sleepMicroseconds(microseconds + static_cast<double>(unpaced_) * kCharMicroseconds + kUsbFrameMicroseconds);
    unpaced_ = 0;
    return true;
}

bool PosixSerialTransport::setReadWait(int vmin, int vtenths) {
    if (vmin == vmin_ && vtenths == vtime_) return true;
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) return false;
    tio.c_cc[VMIN] = static_cast<cc_t>(vmin);
    tio.c_cc[VTIME] = static_cast<cc_t>(vtenths);
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) return false;
    vmin_ = vmin;
    vtime_ = vtenths;
    return true;
}

bool PosixSerialTransport::fill() {
    for (;;) {
        ssize_t n = ::read(fd_, inBuf_, sizeof inBuf_);
        if (n > 0) {
            inLen_ = static_cast<int>(n);
            inPos_ = 0;
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        return false; // time-out (0), hang-up or error on the line
    }
}

int PosixSerialTransport::readByte(int timeoutMs) {
    const std::size_t coming = std::exchange(repliesComing_, 0);
    if (fd_ < 0) return -1;
    if (inPos_ < inLen_) return inBuf_[inPos_++];
    // Many replies on their way: wake once for a quarter of them (the box works
    // on the rest meanwhile) instead of for every few that arrive together. The
    // first is awaited with the time-out; then the read returns once the group
    // is in, or a tenth of a second after the last byte when the box falls
    // silent, and the missing reply then shows at the next read.
    constexpr std::size_t kRepliesPerWake = 4;
    const int group = static_cast<int>(std::min(coming / kRepliesPerWake, sizeof inBuf_));
    if (group > 1) {
        if (!readGroup(group, timeoutMs)) return -1;
        return inBuf_[inPos_++];
    }
    // Otherwise the line discipline's own timer (VMIN 0, VTIME in tenths of a
    // second) does the waiting, so a reply costs one read call instead of a poll
    // and a read. Bytes that arrive together are kept for the following calls.
    const int tenths = timeoutMs <= 0 ? 0 : std::min(255, (timeoutMs + 99) / 100);
    if (!setReadWait(0, tenths) || !fill()) return -1;
    return inBuf_[inPos_++];
}

bool PosixSerialTransport::readGroup(int group, int timeoutMs) {
    // The terminal wakes a waiting read for every few bytes that come in. When
    // the replies come no faster than the line carries them, a sleep for the
    // group's bytes not yet in, at the pace they came, lets them gather and
    // costs one wake; a sleep a little too long costs no line time, as the box
    // works on the other three quarters meanwhile. The pace is seen on every few
    // groups, read without the sleep, so bytes from a source faster than the
    // line (the simulator, unpaced) are never held back, and a change of pace
    // (programming, then reading) is followed.
    constexpr int kGroupsPerLook = 8;
    constexpr int kFewestBytesToJudge = 8;
    constexpr double kSlowestPace = 4 * kCharMicroseconds;
    // Half as long again as the pace says: the group is then in when the sleep
    // ends, rather than a wake short.
    constexpr double kSleepOverPace = 1.5;
    const bool look = byteInterval_ <= 0 || ++groupsSinceLook_ >= kGroupsPerLook;
    int queued = 0;
    if (!look && ::ioctl(fd_, FIONREAD, &queued) == 0 && queued < group)
        sleepMicroseconds((group - queued) * byteInterval_ * kSleepOverPace);
    // The first reply is awaited with the time-out.
    pollfd p{fd_, POLLIN, 0};
    int ready;
    while ((ready = ::poll(&p, 1, std::max(timeoutMs, 0))) < 0 && errno == EINTR) {
    }
    if (ready <= 0) return false;
    if (look && ::ioctl(fd_, FIONREAD, &queued) != 0) queued = 0;
    const auto start = std::chrono::steady_clock::now();
    if (!setReadWait(group, 1) || !fill()) return false;
    if (look) {
        groupsSinceLook_ = 0;
        const int arrived = inLen_ - queued;
        const double took = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
        if (arrived >= kFewestBytesToJudge) {
            // Faster than the line: not paced, nothing to wait for. A pause of
            // the box within the group (a long pulse) must not stretch the
            // sleeps that follow past the work left to the box: a slow pace is
            // taken as at most a few characters a reply, the read waiting for
            // the rest.
            const double interval = took / arrived;
            byteInterval_ = interval < 0.8 * kCharMicroseconds ? 0 : std::min(interval, kSlowestPace);
        }
    }
    return true;
}

void PosixSerialTransport::purge() {
    inPos_ = inLen_ = 0;
    if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}

void PosixSerialTransport::close() {
    if (fd_ < 0) return;
    latency_.restore();
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

OpenedPort openSerialDevice(const std::string& path) {
    OpenedPort result;
    if (path.empty()) return result;
    // Non-blocking open so that a port without carrier does not hang the open.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return result;
    if (!::isatty(fd)) {
        ::close(fd); // opens, but no line settings to be had (a regular file)
        result.status = OpenStatus::SettingsRefused;
        return result;
    }
    // A built-in port whose UART the kernel did not find has a device node but
    // no line behind it; waiting for a box there would only cost the time-out.
    struct serial_struct info {};
    if (::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type == PORT_UNKNOWN) {
        ::close(fd);
        return result;
    }
    // TIOCEXCL keeps other programs out; the lock also keeps out privileged ones.
    if (::ioctl(fd, TIOCEXCL) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return result;
    }
    const LineKind kind = lineKindOf(fd);
    LatencyTimer latency;
    if (kind == LineKind::SerialPort) {
        askLowLatency(fd);
        latency = LatencyTimer::lower(SysTtyDir, TtyNameOf(path));
    }
    auto transport = std::make_unique<PosixSerialTransport>(fd, kind, latency);
    int flags = ::fcntl(fd, F_GETFL);
    if (!applyLineSettings(fd) || flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        transport->close(); // not a usable terminal (or a regular file)
        result.status = OpenStatus::SettingsRefused;
        return result;
    }
    transport->purge();
    result.status = OpenStatus::Opened;
    result.transport = std::move(transport);
    return result;
}

OpenedPort PosixPortOpener::open(const std::string& name) {
    if (name == VirtualBoxPortName) return {};
    return openSerialDevice(resolvePortName(name, listSerialDevices(devDir_)));
}

} // namespace quarvin
