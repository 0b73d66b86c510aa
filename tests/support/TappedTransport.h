#pragma once
// Passes every call on to another transport (usually the virtual box) and keeps a
// copy of every byte written and the size of every write call.
#include <cstdint>
#include <memory>
#include <vector>

#include "link/serial/Transport.h"

namespace quarvin::test {

struct Tap {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> writeSizes;
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
    int readByte(int timeoutMs) override { return inner_->readByte(timeoutMs); }
    void purge() override { inner_->purge(); }
    void close() override { inner_->close(); }

private:
    std::unique_ptr<Transport> inner_;
    std::shared_ptr<Tap> tap_;
};

} // namespace quarvin::test
