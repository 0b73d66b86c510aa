// quarvin-sim: serves the virtual box on a pseudo-terminal. Prints the terminal's
// path on the first line of stdout, then answers the bytes written to it until it
// is stopped or the program on the other side closes the terminal. The socket may
// hold a chip whose state is kept in a chip image file between runs.
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/Box.h"
#include "sim/ChipFaultText.h"
#include "sim/ChipImage.h"
#include "sim/LinePace.h"
#include "sim/SimFamily.h"
#include "shell/Version.h"

namespace {

const char* Usage =
    "usage: quarvin-sim [options]\n"
    "Serves the virtual programmer box on a pseudo-terminal; the first line of\n"
    "output is the terminal's path.\n"
    "  -i, --id TEXT         identification (8 characters, default quarvinc;\n"
    "                        board b defaults to pemrav13)\n"
    "  -b, --board a|b|c     board model: a has no ground switch on pin 31 (default c)\n"
    "      --silent-after N  stop answering after N received bytes\n"
    "      --persist         keep serving when the other side closes\n"
    "      --chip TYPE       a blank chip of this type in the socket (labels as\n"
    "                        `quarvin-cli chips` lists them)\n"
    "      --chip-image FILE the chip's state is read from FILE (a missing file is a\n"
    "                        blank chip) and written back whenever it changes\n"
    "      --fault F         stuck:ADDR:MASK:VALUE, noprogram:ADDR or empty (repeatable)\n"
    "      --latency-ms N    behave as a USB serial adapter with an N ms latency timer:\n"
    "                        replies leave in packets of 62 bytes, or when the timer\n"
    "                        runs out after a packet's first byte\n"
    "      --real-time       answer at the pace of the box's 115200 baud line: every\n"
    "                        byte takes its character time each way and the box's\n"
    "                        work (pulses, erase and write times) passes in wall time\n"
    "      --loopback        no box: every byte received goes straight back, as an\n"
    "                        adapter with TX joined to RX does\n"
    "      --drop N          with --loopback, every Nth byte is lost\n"
    "  -h, --help            this text\n"
    "      --version         the program's version\n";

struct Options {
    quarvin::sim::BoxConfig config;
    bool idGiven = false;
    long silentAfter = -1;
    bool persist = false;
    bool loopback = false;
    bool realTime = false;
    long dropEvery = 0; // 0: none
    std::string chip, chipImage;
    std::vector<std::string> faults;
};

volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int) { stopSignal = 1; }

bool parse(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) { error = "missing value after " + a; return false; }
            out = argv[++i];
            return true;
        };
        // The whole text as a decimal number in lo..hi; else `refusal` is the error.
        auto number = [&](const std::string& text, long lo, long hi, long& out, const char* refusal) {
            char* end = nullptr;
            errno = 0;
            const long n = std::strtol(text.c_str(), &end, 10);
            if (errno || end == text.c_str() || *end || n < lo || n > hi) {
                error = refusal;
                return false;
            }
            out = n;
            return true;
        };
        std::string v;
        if (a == "-h" || a == "--help") {
            std::fputs(Usage, stdout);
            std::exit(0);
        } else if (a == "--version") {
            std::printf("%s\n", quarvin::VersionLine("quarvin-sim").c_str());
            std::exit(0);
        } else if (a == "-i" || a == "--id") {
            if (!value(v)) return false;
            o.config.identification = v;
            o.idGiven = true;
        } else if (a == "-b" || a == "--board") {
            if (!value(v)) return false;
            if (v != "a" && v != "b" && v != "c") { error = "board must be a, b or c"; return false; }
            o.config.board = v[0];
        } else if (a == "--silent-after") {
            if (!value(v) || !number(v, 0, LONG_MAX, o.silentAfter, "--silent-after needs a byte count")) return false;
        } else if (a == "--latency-ms") {
            long ms = 0;
            if (!value(v) || !number(v, 0, 255, ms, "--latency-ms needs 0..255")) return false;
            o.config.usb.attached = true;
            o.config.usb.latencyMs = static_cast<double>(ms);
        } else if (a == "--real-time") {
            o.realTime = true;
        } else if (a == "--loopback") {
            o.loopback = true;
        } else if (a == "--drop") {
            if (!value(v) || !number(v, 1, LONG_MAX, o.dropEvery, "--drop needs a count of 1 or more")) return false;
        } else if (a == "--persist") {
            o.persist = true;
        } else if (a == "--chip") {
            if (!value(o.chip)) return false;
        } else if (a == "--chip-image") {
            if (!value(o.chipImage)) return false;
        } else if (a == "--fault") {
            if (!value(v)) return false;
            o.faults.push_back(v);
        } else {
            error = "unknown option " + a;
            return false;
        }
    }
    if (!o.idGiven && o.config.board == 'b') o.config.identification = "pemrav13";
    if (o.dropEvery > 0 && !o.loopback) {
        error = "--drop needs --loopback";
        return false;
    }
    if (o.loopback && !o.chip.empty()) {
        error = "--loopback has no box and no socket for --chip";
        return false;
    }
    if (o.chip.empty() && (!o.chipImage.empty() || !o.faults.empty())) {
        error = "--chip-image and --fault need --chip";
        return false;
    }
    return true;
}

// The chip of --chip with its image and faults; the error text when refused.
std::shared_ptr<quarvin::sim::Chip> makeChip(const Options& o, std::string& error) {
    using namespace quarvin::sim;
    const ChipOffer* offer = FindOffer(o.chip);
    if (!offer) {
        error = "no chip type '" + o.chip + "' (quarvin-cli chips lists them)";
        return nullptr;
    }
    auto chip = offer->make();
    if (!o.chipImage.empty()) {
        const ChipImageLoad loaded = LoadChipImage(*chip, o.chipImage);
        if (loaded.status == ImageLoad::Refused) {
            error = loaded.error;
            return nullptr;
        }
    }
    for (const std::string& f : o.faults) {
        error = AddChipFault(chip->faults(), f);
        if (!error.empty()) return nullptr;
    }
    error = FaultOutsideChip(*chip);
    if (!error.empty()) return nullptr;
    return chip;
}

// Writes the chip image when the chip has changed since the last write. While
// bytes keep arriving (a long programming run) at most once a second, so that a
// large part is not rewritten after every batch; at once when the line is idle.
class ImageKeeper {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto BusyInterval = std::chrono::seconds(1);

    ImageKeeper(std::shared_ptr<quarvin::sim::Chip> chip, std::string path)
        : chip_(std::move(chip)), path_(std::move(path)), written_(chip_ ? chip_->changes() : 0) {}
    void afterBatch() {
        if (Clock::now() - lastWrite_ >= BusyInterval) saveIfChanged();
    }
    void saveIfChanged() {
        if (!chip_ || path_.empty() || chip_->changes() == written_) return;
        const std::string error = quarvin::sim::SaveChipImage(*chip_, path_);
        if (!error.empty()) std::fprintf(stderr, "quarvin-sim: %s\n", error.c_str());
        written_ = chip_->changes();
        lastWrite_ = Clock::now();
    }

private:
    std::shared_ptr<quarvin::sim::Chip> chip_;
    std::string path_;
    std::uint64_t written_;
    Clock::time_point lastWrite_{};
};

// The line of an adapter whose TX is joined to its RX: what arrives goes back,
// but for every Nth byte when dropping is asked for.
class Loopback {
public:
    explicit Loopback(long dropEvery) : dropEvery_(dropEvery) {}
    // Whether the next byte received comes back.
    bool keeps() { return dropEvery_ == 0 || ++count_ % dropEvery_ != 0; }
    void echo(const std::uint8_t* data, std::size_t n, std::vector<std::uint8_t>& out) {
        for (std::size_t i = 0; i < n; ++i)
            if (keeps()) out.push_back(data[i]);
    }

private:
    long dropEvery_;
    long count_ = 0;
};

bool writeAll(int fd, const std::uint8_t* p, std::size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN) { ::usleep(1000); continue; }
            return false;
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

// The reply path to the host: at once, or as a USB adapter sends it, in packets
// when full or when the latency timer runs out after a packet's first byte.
class ReplyPath {
public:
    using Clock = std::chrono::steady_clock;
    ReplyPath(int fd, const quarvin::sim::UsbAdapterConfig& usb)
        : fd_(fd), usb_(usb), latency_(std::chrono::microseconds(static_cast<long>(usb.latencyMs * 1000))) {}

    // Queues replies; false when the terminal is gone.
    bool add(const std::vector<std::uint8_t>& bytes) {
        if (bytes.empty()) return true;
        if (pending_.empty()) firstAt_ = Clock::now();
        pending_.insert(pending_.end(), bytes.begin(), bytes.end());
        if (!usb_.attached) return flush(pending_.size());
        while (pending_.size() >= usb_.packetBytes)
            if (!flush(usb_.packetBytes)) return false;
        return flushIfDue();
    }
    // Sends a packet whose latency timer ran out; false when the terminal is gone.
    bool flushIfDue() {
        if (pending_.empty() || Clock::now() < firstAt_ + latency_) return true;
        return flush(pending_.size());
    }
    bool idle() const { return pending_.empty(); }
    // How long poll may wait before a packet is due, in ms.
    int pollTimeoutMs(int idleMs) const {
        if (pending_.empty()) return idleMs;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(firstAt_ + latency_ - Clock::now());
        return std::max(0, static_cast<int>(left.count()) + 1);
    }

private:
    bool flush(std::size_t n) {
        const bool ok = writeAll(fd_, pending_.data(), n);
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(n));
        firstAt_ = Clock::now(); // the timer starts again with the next byte
        return ok;
    }

    int fd_;
    quarvin::sim::UsbAdapterConfig usb_;
    Clock::duration latency_;
    std::vector<std::uint8_t> pending_;
    Clock::time_point firstAt_{};
};

// How long to sleep before something is due: a paced byte, an adapter packet, or
// else the idle check.
timespec SleepTime(const ReplyPath& replies, const std::optional<quarvin::sim::LinePace>& pace) {
    using namespace std::chrono;
    nanoseconds wait = milliseconds(replies.pollTimeoutMs(200));
    if (pace)
        if (const auto at = pace->nextWrite())
            wait = std::clamp(duration_cast<nanoseconds>(*at - quarvin::sim::LinePace::Clock::now()), nanoseconds(0), wait);
    const auto secs = duration_cast<seconds>(wait);
    return timespec{static_cast<time_t>(secs.count()), static_cast<long>((wait - secs).count())};
}

} // namespace

int main(int argc, char** argv) {
    Options opt;
    std::string error;
    if (!parse(argc, argv, opt, error)) {
        std::fprintf(stderr, "quarvin-sim: %s\n%s", error.c_str(), Usage);
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    std::shared_ptr<quarvin::sim::Chip> chip;
    if (!opt.chip.empty() && !(chip = makeChip(opt, error))) {
        std::fprintf(stderr, "quarvin-sim: %s\n", error.c_str());
        return 2;
    }
    // Ended by a signal, the last state of the chip still goes to its image.
    struct sigaction stop {};
    stop.sa_handler = onStopSignal;
    ::sigaction(SIGTERM, &stop, nullptr);
    ::sigaction(SIGINT, &stop, nullptr);

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::fprintf(stderr, "quarvin-sim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    const char* slave = ::ptsname(master);
    if (!slave) {
        std::fprintf(stderr, "quarvin-sim: no terminal name: %s\n", std::strerror(errno));
        return 1;
    }
    // Raw bytes both ways: no echo, no line editing, no translation.
    termios tio{};
    if (::tcgetattr(master, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B115200);
        ::tcsetattr(master, TCSANOW, &tio);
    }
    std::printf("%s\n", slave);
    std::fflush(stdout);

    quarvin::sim::BoxConfig boxConfig = opt.config;
    std::optional<quarvin::sim::LinePace> pace;
    if (opt.realTime) {
        pace.emplace(quarvin::sim::LinePace::Clock::now());
        // The reply path holds the adapter's packets in wall time already.
        boxConfig.usb.attached = false;
        // Sleeps end within a microsecond of their time, not the default 50 µs
        // (half a character).
        ::prctl(PR_SET_TIMERSLACK, 1000UL);
    }
    quarvin::sim::LineClock loopbackLine; // paced loopback: when each byte is back
    quarvin::sim::Box box(boxConfig);
    if (opt.silentAfter >= 0) box.faults().silentAfterBytes = static_cast<std::uint64_t>(opt.silentAfter);
    if (chip) box.insert(chip);
    ImageKeeper image(chip, opt.chipImage);

    std::vector<std::uint8_t> in(4096), out;
    out.reserve(4096);
    ReplyPath replies(master, opt.config.usb);
    Loopback loopback(opt.dropEvery);
    // Paced: the bytes just read go on the line from now, one character time each;
    // what comes back waits in `pace` for its time.
    auto paceBytes = [&](const std::uint8_t* data, std::size_t n) {
        const auto readAt = quarvin::sim::LinePace::Clock::now();
        const std::int64_t ready = pace->hostReadyPs(readAt);
        if (opt.loopback) {
            loopbackLine.hostReadyAt(ready);
            for (std::size_t i = 0; i < n; ++i) {
                const std::int64_t back = loopbackLine.hostSends();
                if (loopback.keeps()) pace->push(data[i], back);
            }
        } else {
            box.clock().hostReadyAt(ready);
            box.receive(data, n);
            image.afterBatch();
            while (const auto reply = box.popTimedReply()) pace->push(reply->value, reply->arrivesPs);
        }
        pace->takeDue(readAt, out);
    };
    bool clientSeen = false;
    while (!stopSignal) {
        pollfd pfd{master, POLLIN, 0};
        const timespec sleep = SleepTime(replies, pace);
        const int r = ::ppoll(&pfd, 1, &sleep, nullptr);
        if (r < 0) {
            if (errno == EINTR) continue;
            break;
        }
        // The image is written when the line is quiet, not between paced replies.
        if (r == 0 && replies.idle() && !(pace && pace->nextWrite())) image.saveIfChanged();
        bool hangup = (pfd.revents & (POLLHUP | POLLERR)) != 0;
        if (pace) {
            out.clear();
            pace->takeDue(quarvin::sim::LinePace::Clock::now(), out);
            if (!replies.add(out)) hangup = true;
        }
        if (!replies.flushIfDue()) hangup = true;
        if (pfd.revents & POLLIN) {
            const ssize_t n = ::read(master, in.data(), in.size());
            if (n > 0) {
                clientSeen = true;
                out.clear();
                if (pace) {
                    paceBytes(in.data(), static_cast<std::size_t>(n));
                } else if (opt.loopback) {
                    loopback.echo(in.data(), static_cast<std::size_t>(n), out);
                } else {
                    box.receive(in.data(), static_cast<std::size_t>(n));
                    image.afterBatch();
                    for (int b; (b = box.popReply()) >= 0;) out.push_back(static_cast<std::uint8_t>(b));
                }
                if (replies.add(out)) continue; // more may be waiting, even after a hang-up
                hangup = true;
            }
            if (n < 0 && errno != EIO && errno != EAGAIN && errno != EINTR) break;
            if (n <= 0 && errno == EIO) hangup = true;
        }
        if (hangup) {
            image.saveIfChanged();
            // No terminal side open: before the first client that is waiting, after it the end.
            if (clientSeen && !opt.persist) break;
            ::usleep(20000);
        }
    }
    image.saveIfChanged();
    ::close(master);
    return 0;
}
