#include "link/Loopback.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <sstream>

namespace quarvin {

namespace {

constexpr double LineBytesPerSecond = 115200.0 / 11; // 8 data bits, 2 stop bits and a start bit
constexpr int DrainTimeoutMs = 0;

// Cost of an alignment so far and what it is made of.
struct Edit {
    std::size_t cost = std::numeric_limits<std::size_t>::max() / 2;
    std::size_t lost = 0, changed = 0, extra = 0;
};

// A burst that cannot be told from a shifted copy of itself: the bytes of a
// small generator seeded by the burst's size.
std::vector<std::uint8_t> BurstPattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = 0x9E3779B9u ^ static_cast<std::uint32_t>(size * 2654435761u);
    for (auto& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

enum class ExchangeEnd { Done, WriteFailed, Stopped };

bool StopAsked(const LoopbackSettings& settings) { return settings.stopRequested && settings.stopRequested(); }

// Sends the bytes, keeping at most settings.inFlight of them ahead of their
// echoes, and collects the echoes until the line stays quiet, or until the user
// asks to stop.
ExchangeEnd Exchange(Transport& port, const std::vector<std::uint8_t>& bytes, const LoopbackSettings& settings,
                     std::vector<std::uint8_t>& echoes) {
    const std::size_t inFlight = std::max<std::size_t>(settings.inFlight, 1);
    std::size_t sent = 0;
    std::size_t settled = 0; // echoes received, plus bytes given up on at a quiet time-out
    auto drain = [&] {
        for (int b; (b = port.readByte(DrainTimeoutMs)) >= 0;) echoes.push_back(static_cast<std::uint8_t>(b));
    };
    while (sent < bytes.size()) {
        if (StopAsked(settings)) return ExchangeEnd::Stopped;
        settled = std::max(settled, echoes.size());
        if (sent - settled >= inFlight) {
            const int b = port.readByte(settings.quietMs);
            if (b < 0) settled = sent; // those are lost; go on sending
            else echoes.push_back(static_cast<std::uint8_t>(b));
            drain();
            continue;
        }
        const std::size_t n = std::min(inFlight - (sent - settled), bytes.size() - sent);
        if (!port.write(bytes.data() + sent, n)) return ExchangeEnd::WriteFailed;
        sent += n;
    }
    for (int b; (b = port.readByte(settings.quietMs)) >= 0;) {
        echoes.push_back(static_cast<std::uint8_t>(b));
        // Asked as often as while sending, not at every byte.
        if (echoes.size() % inFlight == 0 && StopAsked(settings)) return ExchangeEnd::Stopped;
    }
    return ExchangeEnd::Done;
}

std::vector<std::size_t> BurstSizes(std::size_t largest) {
    std::vector<std::size_t> sizes;
    for (std::size_t n = 1; n <= largest; n *= 2) sizes.push_back(n);
    return sizes;
}

} // namespace

LoopbackCounts& LoopbackCounts::operator+=(const LoopbackCounts& o) {
    sent += o.sent;
    received += o.received;
    lost += o.lost;
    changed += o.changed;
    extra += o.extra;
    return *this;
}

LoopbackCounts CompareEcho(const std::vector<std::uint8_t>& sent, const std::vector<std::uint8_t>& received) {
    LoopbackCounts counts;
    counts.sent = sent.size();
    counts.received = received.size();
    // Equal ends need no search; the middle is aligned within a band around the
    // diagonal wide enough for the length difference and some slack.
    std::size_t head = 0;
    while (head < sent.size() && head < received.size() && sent[head] == received[head]) ++head;
    std::size_t tail = 0;
    while (tail < sent.size() - head && tail < received.size() - head &&
           sent[sent.size() - 1 - tail] == received[received.size() - 1 - tail])
        ++tail;
    const std::size_t n = sent.size() - head - tail, m = received.size() - head - tail;
    const std::uint8_t* a = sent.data() + head;
    const std::uint8_t* b = received.data() + head;
    const std::size_t band = (n > m ? n - m : m - n) + 64;

    std::vector<Edit> previous(m + 1), current(m + 1);
    for (std::size_t j = 0; j <= std::min(m, band); ++j) previous[j] = {j, 0, 0, j};
    for (std::size_t i = 1; i <= n; ++i) {
        const std::size_t from = i > band ? i - band : 0, to = std::min(m, i + band);
        // Cells left of the band are out of reach (this buffer still holds an older row).
        if (from > 0) current[from - 1] = Edit{};
        for (std::size_t j = from; j <= to; ++j) {
            Edit best = previous[j]; // sent byte i lost
            ++best.cost;
            ++best.lost;
            if (j > 0) {
                Edit diagonal = previous[j - 1];
                if (a[i - 1] != b[j - 1]) {
                    ++diagonal.cost;
                    ++diagonal.changed;
                }
                if (diagonal.cost <= best.cost) best = diagonal;
                Edit inserted = current[j - 1]; // received byte j extra
                ++inserted.cost;
                ++inserted.extra;
                if (inserted.cost < best.cost) best = inserted;
            }
            current[j] = best;
        }
        std::swap(previous, current);
    }
    counts.lost = previous[m].lost;
    counts.changed = previous[m].changed;
    counts.extra = previous[m].extra;
    return counts;
}

LoopbackReport RunLoopback(Transport& port, const MicroClock& clock, const LoopbackSettings& settings) {
    LoopbackReport report;
    port.purge();
    const auto say = [&](const std::string& step) {
        if (settings.status) settings.status(step);
    };
    // Notes how an exchange ended; true when the test goes on.
    const auto goesOn = [&](ExchangeEnd end) {
        report.writeFailed = report.writeFailed || end == ExchangeEnd::WriteFailed;
        report.stopped = report.stopped || end == ExchangeEnd::Stopped;
        return end == ExchangeEnd::Done;
    };
    const auto over = [&] { return report.writeFailed || report.stopped; };
    auto phase = [&](const std::string& name, const std::vector<std::vector<std::uint8_t>>& bursts, bool pauses) {
        LoopbackPhase p{name, {}};
        std::vector<std::uint8_t> all, echoes;
        for (const auto& burst : bursts) {
            if (!pauses) {
                all.insert(all.end(), burst.begin(), burst.end());
                continue;
            }
            say(name);
            echoes.clear();
            const bool more = goesOn(Exchange(port, burst, settings, echoes));
            // A burst the user cut short is not counted: its missing echoes were never waited for.
            if (!report.stopped) p.counts += CompareEcho(burst, echoes);
            if (!more) break;
        }
        if (!pauses && !over()) {
            say(name);
            const std::int64_t start = clock();
            if (!goesOn(Exchange(port, all, settings, echoes)) && report.stopped) return;
            // The quiet time at the end is waiting, not transfer.
            const std::int64_t spent = clock() - start - std::int64_t{settings.quietMs} * 1000;
            if (spent > 0) report.bytesPerSecond = static_cast<double>(echoes.size()) * 1e6 / static_cast<double>(spent);
            p.counts = CompareEcho(all, echoes);
        }
        report.total += p.counts;
        report.phases.push_back(p);
    };

    std::vector<std::uint8_t> everyValue(256);
    for (int v = 0; v < 256; ++v) everyValue[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(v);
    std::vector<std::vector<std::uint8_t>> bursts;
    for (std::size_t size : BurstSizes(settings.largestBurst)) bursts.push_back(BurstPattern(size));
    const std::string sizes = "1.." + std::to_string(settings.largestBurst);

    phase("all 256 byte values", {everyValue}, true);
    if (!over()) phase("bursts of " + sizes + " bytes with pauses", bursts, true);
    if (!over()) phase("bursts of " + sizes + " bytes back to back", bursts, false);

    if (!over()) say("round trips");
    for (int k = 0; k < settings.latencySamples && !over() && !report.nothingCameBack(); ++k) {
        if (StopAsked(settings)) {
            report.stopped = true;
            break;
        }
        const std::uint8_t probe = static_cast<std::uint8_t>(0x5A + k * 37);
        const std::int64_t start = clock();
        if (!port.write(&probe, 1)) {
            report.writeFailed = true;
            break;
        }
        const int echo = port.readByte(settings.quietMs);
        if (echo == probe) report.roundTripsUs.push_back(clock() - start);
        while (port.readByte(DrainTimeoutMs) >= 0) {
        }
    }
    return report;
}

std::string DescribeLoopback(const LoopbackReport& r) {
    std::ostringstream out;
    for (const LoopbackPhase& p : r.phases) {
        out << p.name << ": sent " << p.counts.sent << ", came back " << p.counts.received << ", lost " << p.counts.lost
            << ", changed " << p.counts.changed << ", extra " << p.counts.extra << '\n';
    }
    if (r.roundTripsUs.empty()) {
        out << "round trip: no single byte came back\n";
    } else {
        std::vector<std::int64_t> t = r.roundTripsUs;
        std::sort(t.begin(), t.end());
        out << "round trip of one byte: min " << t.front() << " us, median " << t[t.size() / 2] << " us, max "
            << t.back() << " us (" << t.size() << " samples)\n";
    }
    char rate[96];
    std::snprintf(rate, sizeof rate, "throughput: %.0f bytes/s (%.0f%% of 115200 baud, 8N2)\n", r.bytesPerSecond,
                  100.0 * r.bytesPerSecond / LineBytesPerSecond);
    out << rate;
    if (r.stopped) {
        out << "verdict: stopped before the test ended; nothing is judged. Run it again to the end.\n";
    } else if (r.writeFailed) {
        out << "verdict: the port refused to send; the adapter is gone or broken.\n";
    } else if (r.nothingCameBack()) {
        out << "verdict: no byte came back. TX is not joined to RX, this is not the adapter's port, or the adapter "
               "does not send.\n";
    } else if (!r.passed()) {
        out << "verdict: the adapter loses, changes or adds bytes with no box attached. Replace the adapter or its "
               "cable before suspecting the box.\n";
    } else {
        out << "verdict: the adapter passes every byte. If the box still misbehaves on it, look at the box, its "
               "power and its cable (a link trace shows where).\n";
    }
    return out.str();
}

} // namespace quarvin
