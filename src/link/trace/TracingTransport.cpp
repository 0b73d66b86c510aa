#include "link/trace/TracingTransport.h"

namespace quarvin {

TracingTransport::~TracingTransport() {
    if (inner_ && !closed_) trace_->event("close");
}

bool TracingTransport::write(const std::uint8_t* data, std::size_t n) {
    const bool ok = inner_->write(data, n);
    trace_->sent(data, n);
    if (!ok) trace_->event("write failed");
    return ok;
}

int TracingTransport::readByte(int timeoutMs) {
    const int b = inner_->readByte(timeoutMs);
    if (b >= 0)
        trace_->received(static_cast<std::uint8_t>(b));
    else
        trace_->event("timeout " + std::to_string(timeoutMs) + " ms");
    return b;
}

void TracingTransport::purge() {
    trace_->event("purge");
    inner_->purge();
}

void TracingTransport::close() {
    trace_->event("close");
    trace_->flush();
    closed_ = true;
    inner_->close();
}

void TracingTransport::linkLost() {
    trace_->event("lost");
    inner_->linkLost();
}

OpenedPort TracingPortOpener::open(const std::string& name) {
    OpenedPort port = inner_.open(name);
    switch (port.status) {
    case OpenStatus::Opened: trace_->event("open " + name); break;
    case OpenStatus::CannotOpen: trace_->event("open " + name + " failed: cannot open"); break;
    case OpenStatus::SettingsRefused: trace_->event("open " + name + " failed: line settings refused"); break;
    case OpenStatus::TimeoutsRefused: trace_->event("open " + name + ": time-outs refused"); break;
    }
    if (port.transport) port.transport = std::make_unique<TracingTransport>(std::move(port.transport), trace_);
    return port;
}

} // namespace quarvin
