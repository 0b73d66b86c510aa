#pragma once
// The link trace: every byte to and from the box with a monotonic time stamp,
// the direction and the operation running, plus the port's events, as plain
// text one line per byte run:
//
//   000001.234567 > 1b 47 1e 1e @read
//   000001.234790 < 5a @read
//   000002.240000 timeout 1000 ms @read
//   000002.240010 lost
//
// Time stamps are seconds and microseconds since the trace began. Bytes of one
// direction share a line until the direction, the operation or an event changes,
// a gap of more than RunGapUs passes, or the line holds BytesPerLine bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/trace/MicroClock.h"
#include "link/trace/TraceSink.h"

namespace quarvin {

enum class TraceDirection { ToBox, FromBox };

class LinkTrace {
public:
    static constexpr std::int64_t RunGapUs = 1000;
    static constexpr std::size_t BytesPerLine = 16;

    LinkTrace(std::unique_ptr<TraceSink> sink, MicroClock clock);
    ~LinkTrace();
    LinkTrace(const LinkTrace&) = delete;
    LinkTrace& operator=(const LinkTrace&) = delete;

    // The operation the following lines belong to ("" for none); written as a
    // line of its own when it changes.
    void setOperation(const std::string& name);
    // The line's text when no operation runs any more.
    static constexpr const char* NoOperationLine = "op end";
    const std::string& operation() const { return operation_; }

    void sent(const std::uint8_t* data, std::size_t n);
    void received(std::uint8_t byte);
    // A line for something that is not a byte: "open COM1", "close", "timeout 1000 ms".
    void event(const std::string& text);
    // Ends the byte run in progress and passes every line to the disk.
    void flush();

    // Stops recording: the run in progress is written, later calls do nothing.
    void stop();
    bool recording() const { return !stopped_; }
    TraceSink& sink() { return *sink_; }

private:
    std::string stamp(std::int64_t us) const;
    void endRun();
    void add(TraceDirection direction, std::uint8_t byte, std::int64_t now);
    void write(std::int64_t us, const std::string& text);

    std::unique_ptr<TraceSink> sink_;
    MicroClock clock_;
    std::int64_t startUs_;
    std::string operation_;
    bool stopped_ = false;

    // The byte run not yet written.
    TraceDirection runDirection_ = TraceDirection::ToBox;
    std::int64_t runStartUs_ = 0, runLastUs_ = 0;
    std::vector<std::uint8_t> run_;
};

} // namespace quarvin
