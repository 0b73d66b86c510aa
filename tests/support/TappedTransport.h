#pragma once
// Passes every call on to another transport (usually the virtual box) and keeps a
// copy of every byte written, the size of every write call, and the replies read.
#include <cstdint>
#include <memory>
#include <vector>

#include "link/serial/Transport.h"

namespace quarvin::test {

struct Tap {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> writeSizes;
    std::size_t replies = 0;
    std::vector<std::uint8_t> received;
};

class TappedTransport : public Transport {
public:
    TappedTransport(std::unique_ptr<Transport> inner, std::shared_ptr<Tap> tap)
        : inner_(std::move(inner)), tap_(std::move(tap)) {}
    bool write(const std::uint8_t* data, std::size_t n) override {
        tap_->bytes.insert(tap_->bytes.end(), data, data + n);
        tap_->writeSizes.push_back(n);
        return inner_->write(data, n);
    }
    int readByte(int timeoutMs) override {
        const int reply = inner_->readByte(timeoutMs);
        if (reply >= 0) {
            ++tap_->replies;
            tap_->received.push_back(static_cast<std::uint8_t>(reply));
        }
        return reply;
    }
    void purge() override { inner_->purge(); }
    void close() override { inner_->close(); }

private:
    std::unique_ptr<Transport> inner_;
    std::shared_ptr<Tap> tap_;
};

} // namespace quarvin::test
