#pragma once
// The line clock: models when bytes travel on the 115200 baud line (11 bits a
// character each way, full duplex) and when the box works on them. Times are in
// picoseconds from the start of the session.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace quarvin::sim {

class LineClock {
public:
    // 11 bit times at 115200 baud, 95.486 µs.
    static constexpr std::int64_t CharPs = 11LL * 1'000'000'000'000LL / 115200;

    // The host wrote a byte: it goes out once the host is ready (it has seen the
    // replies it waited for) and the line is free. Returns the time it has arrived.
    std::int64_t hostSends();
    // Whether a byte completing at `arrivedPs` finds room in a receive buffer of
    // `capacity` bytes: the bytes before it that the box has not taken yet fill it.
    bool receiveBufferHasRoom(std::int64_t arrivedPs, std::size_t capacity);
    // The box takes a byte that arrived at `arrivedPs` (once it is free) and
    // starts on it; returns the box's time.
    std::int64_t boxStarts(std::int64_t arrivedPs);
    // A modelled wait inside the box (pulse, erase time).
    void boxWaits(std::int64_t ps) { if (ps > 0) box_ += ps; }
    // The box queued a reply byte now; returns when it reaches the host.
    std::int64_t boxReplies();
    // The host keeps the line quiet for ps once its bytes so far have left.
    void hostPauses(std::int64_t ps) { host_ = std::max(host_, rxFree_) + std::max<std::int64_t>(ps, 0); }
    // The host took a reply that reached it at `arrivedPs`.
    void hostReceives(std::int64_t arrivedPs) { hostReadyAt(arrivedPs); }
    // The host is ready to send no earlier than ps (it wrote its bytes then).
    void hostReadyAt(std::int64_t ps) { if (ps > host_) host_ = ps; }

    std::int64_t boxNowPs() const { return box_; }
    // Everything that happened so far, on the line and in the box.
    std::int64_t nowPs() const;
    double nowSeconds() const { return static_cast<double>(nowPs()) * 1e-12; }
    std::uint64_t bytesToBox() const { return toBox_; }
    std::uint64_t bytesToHost() const { return toHost_; }
    void reset() { *this = LineClock{}; }

private:
    std::int64_t host_ = 0;     // host is ready to send
    std::int64_t rxFree_ = 0;   // host->box line free
    std::int64_t box_ = 0;      // box busy until
    std::int64_t txFree_ = 0;   // box->host line free
    std::uint64_t toBox_ = 0, toHost_ = 0;
    std::deque<std::int64_t> takenAt_; // when the box takes each byte still in its receive buffer
};

} // namespace quarvin::sim
