#pragma once
// A transport that records every byte written and answers reads from a queue.
// Its log is shared, so a test can keep looking after the link has closed and
// dropped the transport. Faults: stop answering after a number of reads, or
// refuse writes after a number of bytes.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <vector>

#include "link/commands/LinkState.h"
#include "link/serial/Transport.h"

namespace quarvin::test {

struct TransportLog {
    std::vector<std::uint8_t> written;              // every byte, in order
    std::vector<std::vector<std::uint8_t>> writes;  // one entry per write call
    std::deque<int> replies;                        // answers for reads, in order
    int defaultReply = 0xFF;                        // when the queue is empty
    int readLimit = -1;    // reads after this many time out (-1: never)
    long writeLimit = -1;  // writes beyond this many bytes fail (-1: never)
    int reads = 0;         // read calls, answered or not
    std::vector<int> readTimeouts;
    int purges = 0;
    bool closed = false;

    void reply(std::initializer_list<int> bytes) { replies.insert(replies.end(), bytes); }
    void clear() {
        written.clear();
        writes.clear();
    }
};

class RecordingTransport : public Transport {
public:
    explicit RecordingTransport(std::shared_ptr<TransportLog> log = std::make_shared<TransportLog>())
        : log_(std::move(log)) {}

    const std::shared_ptr<TransportLog>& log() const { return log_; }

    bool write(const std::uint8_t* data, std::size_t n) override {
        if (log_->closed) return false;
        if (log_->writeLimit >= 0 &&
            static_cast<long>(log_->written.size() + n) > log_->writeLimit)
            return false;
        log_->written.insert(log_->written.end(), data, data + n);
        log_->writes.emplace_back(data, data + n);
        return true;
    }

    int readByte(int timeoutMs) override {
        ++log_->reads;
        log_->readTimeouts.push_back(timeoutMs);
        if (log_->closed) return -1;
        if (log_->readLimit >= 0 && log_->reads > log_->readLimit) return -1;
        if (log_->replies.empty()) return log_->defaultReply;
        int r = log_->replies.front();
        log_->replies.pop_front();
        return r;
    }

    void purge() override { ++log_->purges; }
    void close() override { log_->closed = true; }

private:
    std::shared_ptr<TransportLog> log_;
};

// Puts a new recording transport on the link, marks it connected and returns the log.
inline std::shared_ptr<TransportLog> connectRecording(LinkState& link) {
    auto t = std::make_unique<RecordingTransport>();
    auto log = t->log();
    link.port = std::move(t);
    link.connected = 1;
    return log;
}

} // namespace quarvin::test
