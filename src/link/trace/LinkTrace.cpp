#include "link/trace/LinkTrace.h"

#include "link/trace/TraceSummary.h"

namespace quarvin {

LinkTrace::LinkTrace(std::unique_ptr<TraceSink> sink, MicroClock clock)
    : sink_(std::move(sink)), clock_(std::move(clock)), startUs_(clock_()) {}

LinkTrace::~LinkTrace() { stop(); }

std::string LinkTrace::stamp(std::int64_t us) const { return TraceTime(us < startUs_ ? 0 : us - startUs_); }

void LinkTrace::write(std::int64_t us, const std::string& text) {
    std::string line = stamp(us) + " " + text;
    if (!operation_.empty()) line += " @" + operation_;
    sink_->append(line);
}

void LinkTrace::endRun() {
    if (run_.empty()) return;
    std::string text(runDirection_ == TraceDirection::ToBox ? ">" : "<");
    static const char* const Digits = "0123456789abcdef";
    for (std::uint8_t b : run_) {
        text += ' ';
        text += Digits[b >> 4];
        text += Digits[b & 15];
    }
    write(runStartUs_, text);
    run_.clear();
}

void LinkTrace::setOperation(const std::string& name) {
    if (stopped_ || name == operation_) return;
    endRun();
    // Line ends inside a name would break the one-line-per-entry format.
    std::string clean = name;
    for (char& c : clean)
        if (c == '\n' || c == '\r') c = ' ';
    operation_.clear();
    write(clock_(), clean.empty() ? std::string(NoOperationLine) : "op " + clean);
    operation_ = clean;
}

void LinkTrace::add(TraceDirection direction, std::uint8_t byte, std::int64_t now) {
    if (!run_.empty() &&
        (runDirection_ != direction || now - runLastUs_ > RunGapUs || run_.size() >= BytesPerLine))
        endRun();
    if (run_.empty()) {
        runDirection_ = direction;
        runStartUs_ = now;
    }
    run_.push_back(byte);
    runLastUs_ = now;
}

void LinkTrace::sent(const std::uint8_t* data, std::size_t n) {
    if (stopped_) return;
    const std::int64_t now = clock_();
    for (std::size_t i = 0; i < n; ++i) add(TraceDirection::ToBox, data[i], now);
}

void LinkTrace::received(std::uint8_t byte) {
    if (!stopped_) add(TraceDirection::FromBox, byte, clock_());
}

void LinkTrace::event(const std::string& text) {
    if (stopped_) return;
    endRun();
    write(clock_(), text);
}

void LinkTrace::flush() {
    if (stopped_) return;
    endRun();
    sink_->flush();
}

void LinkTrace::stop() {
    if (stopped_) return;
    endRun();
    sink_->flush();
    stopped_ = true;
}

} // namespace quarvin
