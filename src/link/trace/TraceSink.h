#pragma once
// Where the lines of a link trace go: a file kept below a size limit (the newest
// part stays, the oldest is dropped with a marker), or memory.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace quarvin {

class TraceSink {
public:
    virtual ~TraceSink() = default;
    // One line without its line end.
    virtual void append(const std::string& line) = 0;
    virtual void flush() {}
};

// Lines kept in memory, all of them (for short traces such as the report's).
class MemoryTraceSink : public TraceSink {
public:
    void append(const std::string& line) override { lines_.push_back(line); }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

inline constexpr std::uint64_t DefaultTraceLimitBytes = 16u << 20;
inline constexpr const char* TraceHeader = "# quarvin link trace: seconds.microseconds since the start, > to the box, < from it";
inline constexpr const char* DroppedMarker = "# dropped ";

// A trace file that never grows past limitBytes: when a line would take it over,
// the file is rewritten with its header, a marker line "# dropped N bytes of older
// trace" (N counts every byte dropped so far) and the newest three quarters of
// the limit, cut at a line start. Lines reach the disk at every flush and when
// the sink is destroyed, so a trace survives a program that is stopped.
class RingFileTraceSink : public TraceSink {
public:
    RingFileTraceSink(std::string path, std::uint64_t limitBytes = DefaultTraceLimitBytes);
    ~RingFileTraceSink() override;
    RingFileTraceSink(const RingFileTraceSink&) = delete;
    RingFileTraceSink& operator=(const RingFileTraceSink&) = delete;

    // False when the file could not be created (then nothing is written).
    bool ok() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }
    std::uint64_t droppedBytes() const { return dropped_; }

    void append(const std::string& line) override;
    void flush() override;

private:
    void dropOldest();

    std::string path_;
    std::uint64_t limit_;
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;    // bytes in the file now
    std::uint64_t dropped_ = 0; // bytes of trace lines dropped so far
};

} // namespace quarvin
