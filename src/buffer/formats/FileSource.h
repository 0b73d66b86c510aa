#pragma once
// Reads a file in fixed-size pieces and hands each piece to a consumer, so that
// the readers keep little memory of their own even for multi-megabyte files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace quarvin::formats {

enum class ReadOutcome {
    Done,      // read to the end, or until the consumer wanted no more
    NotOpened, // the file could not be opened
    Failed,    // a read failed part-way (a directory, a device error)
};

// The largest text data file (HEX, JEDEC) read: several times what a full 4 MiB
// buffer takes in either format, comments and blanks included.
constexpr std::uint64_t kMaxTextDataFileBytes = std::uint64_t{64} << 20;
constexpr std::uint64_t kNoSizeLimit = ~std::uint64_t{0};

// The consumer returns false when it wants no more input. Only regular files are
// read: a directory, pipe or device, or a file larger than maxBytes, counts as a
// failed read.
ReadOutcome readFileInPieces(const std::string& path, const std::function<bool(std::string_view)>& consume,
                             std::uint64_t maxBytes = kNoSizeLimit);

// Feeds a file to a reader and returns the reader's result, marked when a read
// failed part-way; an empty result (not opened) when the file could not be opened.
template <class Result, class Feed, class Finish>
Result readFileWith(const std::string& path, Feed&& feed, Finish&& finish, std::uint64_t maxBytes = kNoSizeLimit) {
    const ReadOutcome outcome = readFileInPieces(path, feed, maxBytes);
    if (outcome == ReadOutcome::NotOpened) return Result{};
    Result r = finish();
    r.readFailed = outcome == ReadOutcome::Failed;
    return r;
}

// Writes bytes to a file through a large buffer; remembers whether every write worked.
class FileSink {
public:
    explicit FileSink(const std::string& path, bool text = false);
    ~FileSink();
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    void write(std::string_view bytes);
    void write(const void* bytes, std::size_t n);
    // Flushes and closes; false when the file was not opened or a write failed.
    bool close();

private:
    void flush();
    std::FILE* file_ = nullptr;
    std::string pending_;
    bool failed_ = false;
};

} // namespace quarvin::formats
