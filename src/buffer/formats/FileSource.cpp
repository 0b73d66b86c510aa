#include "buffer/formats/FileSource.h"

#include <cstdio>
#include <vector>

#include "platform/RegularFile.h"

namespace quarvin::formats {

namespace {
constexpr std::size_t kPiece = 1 << 16;
}

ReadOutcome readFileInPieces(const std::string& path, const std::function<bool(std::string_view)>& consume,
                             std::uint64_t maxBytes) {
    // A directory, pipe or device is not opened (a pipe would block, a device
    // never end): it reads as a failed read, as a directory always did.
    const FileCheck check = CheckRegularFile(path, maxBytes);
    if (check.problem == FileProblem::Missing) return ReadOutcome::NotOpened;
    if (!check.ok()) return ReadOutcome::Failed;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return ReadOutcome::NotOpened;
    std::vector<char> piece(kPiece);
    for (;;) {
        std::size_t n = std::fread(piece.data(), 1, piece.size(), f);
        if (n > 0 && !consume(std::string_view(piece.data(), n))) break;
        // A short read is the end of the file or an error; only the error flag tells.
        if (n < piece.size()) break;
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    return failed ? ReadOutcome::Failed : ReadOutcome::Done;
}

FileSink::FileSink(const std::string& path, bool text) {
    // Line breaks are "\n" on this system, so text and binary mode write the same bytes.
    file_ = std::fopen(path.c_str(), text ? "w" : "wb");
    pending_.reserve(kPiece * 4);
}

FileSink::~FileSink() { close(); }

void FileSink::write(std::string_view bytes) {
    if (!file_) return;
    pending_.append(bytes);
    if (pending_.size() >= kPiece * 4) flush();
}

void FileSink::write(const void* bytes, std::size_t n) {
    if (!file_) return;
    if (n >= kPiece) {
        flush();
        if (std::fwrite(bytes, 1, n, file_) != n) failed_ = true;
        return;
    }
    write(std::string_view(static_cast<const char*>(bytes), n));
}

void FileSink::flush() {
    if (!file_ || pending_.empty()) return;
    if (std::fwrite(pending_.data(), 1, pending_.size(), file_) != pending_.size()) failed_ = true;
    pending_.clear();
}

bool FileSink::close() {
    if (!file_) return false;
    flush();
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

} // namespace quarvin::formats
