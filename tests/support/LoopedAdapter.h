#pragma once
#include <cstdint>
#include <deque>
#include <functional>

#include "link/serial/Transport.h"
#include "link/trace/MicroClock.h"

namespace quarvin::test {

// An adapter with TX joined to RX, in-process: what is written comes back,
// through a fault of the test's choosing. Reads that find nothing move the
// clock by their time-out, as a real wait would.
class LoopedAdapter : public Transport {
public:
    std::function<void(std::uint8_t, std::deque<std::uint8_t>&)> line = [](std::uint8_t b, auto& q) { q.push_back(b); };
    std::int64_t now = 0;
    bool refuseWrites = false;

    std::size_t written = 0;

    bool write(const std::uint8_t* data, std::size_t n) override {
        if (refuseWrites) return false;
        written += n;
        for (std::size_t i = 0; i < n; ++i) line(data[i], queue_);
        now += static_cast<std::int64_t>(n) * 95;
        return true;
    }
    int readByte(int timeoutMs) override {
        if (queue_.empty()) {
            now += std::int64_t{timeoutMs} * 1000;
            return -1;
        }
        const int b = queue_.front();
        queue_.pop_front();
        return b;
    }
    void close() override {}
    MicroClock clock() {
        return [this] { return now; };
    }

private:
    std::deque<std::uint8_t> queue_;
};

} // namespace quarvin::test
