#include "link/trace/TraceSink.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace quarvin {

namespace {

// Below this a single burst of lines could not fit at all.
constexpr std::uint64_t SmallestLimit = 4096;

std::string markerLine(std::uint64_t dropped) {
    return std::string(DroppedMarker) + std::to_string(dropped) + " bytes of older trace";
}

} // namespace

RingFileTraceSink::RingFileTraceSink(std::string path, std::uint64_t limitBytes)
    : path_(std::move(path)), limit_(std::max(limitBytes, SmallestLimit)) {
    file_ = std::fopen(path_.c_str(), "wb");
    if (!file_) return;
    std::fprintf(file_, "%s\n", TraceHeader);
    size_ = std::char_traits<char>::length(TraceHeader) + 1;
}

RingFileTraceSink::~RingFileTraceSink() {
    if (file_) std::fclose(file_);
}

void RingFileTraceSink::append(const std::string& line) {
    if (!file_) return;
    if (size_ + line.size() + 1 > limit_) dropOldest();
    if (!file_) return;
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fputc('\n', file_);
    size_ += line.size() + 1;
}

void RingFileTraceSink::flush() {
    if (file_) std::fflush(file_);
}

void RingFileTraceSink::dropOldest() {
    std::fclose(file_);
    file_ = nullptr;
    std::string text;
    {
        std::ifstream in(path_, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // The body is everything after the header and an earlier marker.
    std::size_t body = text.find('\n');
    body = body == std::string::npos ? text.size() : body + 1;
    if (text.compare(body, std::char_traits<char>::length(DroppedMarker), DroppedMarker) == 0) {
        const std::size_t end = text.find('\n', body);
        body = end == std::string::npos ? text.size() : end + 1;
    }
    const std::uint64_t keep = limit_ * 3 / 4;
    std::size_t cut = body;
    if (text.size() - body > keep) {
        cut = text.size() - static_cast<std::size_t>(keep);
        const std::size_t lineStart = text.find('\n', cut - 1);
        cut = lineStart == std::string::npos ? text.size() : lineStart + 1;
    }
    dropped_ += cut - body;

    const std::string head = std::string(TraceHeader) + "\n" + markerLine(dropped_) + "\n";
    const std::string temporary = path_ + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << head;
        out.write(text.data() + cut, static_cast<std::streamsize>(text.size() - cut));
        if (!out) return; // the disk is full: stop tracing rather than lose the older file
    }
    if (std::rename(temporary.c_str(), path_.c_str()) != 0) return;
    file_ = std::fopen(path_.c_str(), "ab");
    size_ = head.size() + (text.size() - cut);
}

} // namespace quarvin
