#pragma once
// Transport and port opener that write what passes through them to a link
// trace and otherwise change nothing: the same bytes, the same replies, the same
// failures reach the link.
#include <memory>
#include <string>

#include "link/serial/Transport.h"
#include "link/trace/LinkTrace.h"

namespace quarvin {

class TracingTransport : public Transport {
public:
    TracingTransport(std::unique_ptr<Transport> inner, std::shared_ptr<LinkTrace> trace)
        : inner_(std::move(inner)), trace_(std::move(trace)) {}
    // A port dropped without close() (the program ends) still gets its line.
    ~TracingTransport() override;
    TracingTransport(const TracingTransport&) = delete;
    TracingTransport& operator=(const TracingTransport&) = delete;

    LineKind lineKind() const override { return inner_->lineKind(); }
    std::string portAdvice() const override { return inner_->portAdvice(); }
    bool write(const std::uint8_t* data, std::size_t n) override;
    int readByte(int timeoutMs) override;
    bool byteReady() const override { return inner_->byteReady(); }
    void repliesComing(std::size_t n) override { inner_->repliesComing(n); }
    void purge() override;
    void close() override;
    void linkLost() override;
    void operationChanged(const std::string& operation) override { trace_->setOperation(operation); }

    bool traces(const LinkTrace& trace) const { return trace_.get() == &trace; }
    // The transport underneath, handed back when tracing ends.
    std::unique_ptr<Transport> release() { return std::move(inner_); }

private:
    std::unique_ptr<Transport> inner_;
    std::shared_ptr<LinkTrace> trace_;
    bool closed_ = false;
};

// Opens ports through another opener and traces every attempt and every
// transport it opens.
class TracingPortOpener : public PortOpener {
public:
    TracingPortOpener(PortOpener& inner, std::shared_ptr<LinkTrace> trace)
        : inner_(inner), trace_(std::move(trace)) {}
    OpenedPort open(const std::string& name) override;

private:
    PortOpener& inner_;
    std::shared_ptr<LinkTrace> trace_;
};

} // namespace quarvin
