#include "link/trace/LinkRecorder.h"

#include "link/trace/TracingTransport.h"

namespace quarvin {

LinkRecorder::LinkRecorder(MicroClock clock, std::uint64_t limitBytes) : clock_(std::move(clock)), limit_(limitBytes) {}

PortOpener& LinkRecorder::opener(PortOpener& inner) {
    opener_.inner = &inner;
    return opener_;
}

OpenedPort LinkRecorder::Opener::open(const std::string& name) {
    if (!recorder_.trace_) return inner->open(name);
    TracingPortOpener traced(*inner, recorder_.trace_);
    return traced.open(name);
}

bool LinkRecorder::start(LinkState& link, const std::string& path) {
    stop(link);
    auto sink = std::make_unique<RingFileTraceSink>(path, limit_);
    if (!sink->ok()) return false;
    trace_ = std::make_shared<LinkTrace>(std::move(sink), clock_);
    path_ = path;
    if (link.port) {
        trace_->event("recording starts on " + link.savedPortName);
        link.port = std::make_unique<TracingTransport>(std::move(link.port), trace_);
    } else {
        trace_->event("recording starts without a port");
    }
    trace_->flush();
    return true;
}

void LinkRecorder::stop(LinkState& link) {
    if (!trace_) return;
    trace_->event("recording stops");
    trace_->stop();
    // Only a port this recording traced goes back; one a later recording wraps is not ours.
    if (auto* traced = dynamic_cast<TracingTransport*>(link.port.get()); traced && traced->traces(*trace_))
        link.port = traced->release();
    trace_.reset();
}

} // namespace quarvin
