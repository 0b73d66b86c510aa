#pragma once
// A transport that hands every call on to another one, pacing and reply hints
// included (so that the line behaves as without it), and keeps every byte
// written and the size of every write call.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/serial/Transport.h"

namespace quarvin::test {

struct WireTap {
    std::vector<std::uint8_t> bytes;
    std::size_t largestWrite = 0;
};

class RigWireTap : public Transport {
public:
    RigWireTap(std::unique_ptr<Transport> inner, std::shared_ptr<WireTap> tap)
        : inner_(std::move(inner)), tap_(std::move(tap)) {}
    LineKind lineKind() const override { return inner_->lineKind(); }
    std::string portAdvice() const override { return inner_->portAdvice(); }
    bool write(const std::uint8_t* data, std::size_t n) override {
        tap_->bytes.insert(tap_->bytes.end(), data, data + n);
        tap_->largestWrite = std::max(tap_->largestWrite, n);
        return inner_->write(data, n);
    }
    int readByte(int timeoutMs) override { return inner_->readByte(timeoutMs); }
    bool byteReady() const override { return inner_->byteReady(); }
    void repliesComing(std::size_t n) override { inner_->repliesComing(n); }
    void purge() override { inner_->purge(); }
    void close() override { inner_->close(); }
    void linkLost() override { inner_->linkLost(); }
    void operationChanged(const std::string& operation) override { inner_->operationChanged(operation); }

private:
    std::unique_ptr<Transport> inner_;
    std::shared_ptr<WireTap> tap_;
};

} // namespace quarvin::test
