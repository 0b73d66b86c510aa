#pragma once
// Reads a file in fixed-size pieces and hands each piece to a consumer, so that
// the readers keep little memory of their own even for multi-megabyte files.
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace quarvin::formats {

// The consumer returns false when it wants no more input. Returns false when the
// file could not be opened.
bool readFileInPieces(const std::string& path, const std::function<bool(std::string_view)>& consume);

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
