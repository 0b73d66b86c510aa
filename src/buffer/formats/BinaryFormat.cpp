#include "buffer/formats/BinaryFormat.h"

#include <algorithm>
#include <cstring>

#include "buffer/formats/FileSource.h"
#include "platform/RegularFile.h"

namespace quarvin::formats {

BinaryLoader::BinaryLoader(MainBuffer& buffer, std::int64_t start, int laneMask, int laneSelect)
    : buffer_(buffer), start_(start), mask_(static_cast<std::uint32_t>(laneMask) & 3u),
      select_(static_cast<std::uint32_t>(laneSelect) & 3u), dest_(start) {}

bool BinaryLoader::feed(std::string_view piece) {
    std::uint8_t* out = buffer_.data();
    if (mask_ == 0 && select_ == 0) {
        // Every byte is kept: copy the part that lands inside the buffer at once.
        const auto n = std::min<std::int64_t>(static_cast<std::int64_t>(piece.size()), kMaxBinaryFileBytes - offset_);
        const std::int64_t lo = std::max<std::int64_t>(dest_, 0);
        const std::int64_t hi = std::min<std::int64_t>(dest_ + n, kBufferSize);
        if (hi > lo) {
            std::memcpy(out + lo, piece.data() + (lo - dest_), static_cast<std::size_t>(hi - lo));
            stored_ += hi - lo;
            lastWritten_ = hi - 1;
        }
        dest_ += n;
        offset_ += n;
        return offset_ < kMaxBinaryFileBytes;
    }
    for (std::size_t k = 0; k < piece.size() && offset_ < kMaxBinaryFileBytes; ++k, ++offset_) {
        if ((static_cast<std::uint32_t>(offset_) & mask_) != select_) continue;
        if (MainBuffer::contains(dest_)) {
            out[dest_] = static_cast<std::uint8_t>(piece[k]);
            lastWritten_ = dest_;
            ++stored_;
        }
        ++dest_;
    }
    return offset_ < kMaxBinaryFileBytes;
}

BinaryLoadResult BinaryLoader::result() const {
    BinaryLoadResult r;
    r.opened = true;
    r.fileBytes = offset_;
    r.bytesKept = dest_ - start_;
    r.bytesStored = stored_;
    const std::int64_t end = stored_ > 0 ? lastWritten_ : start_ - 1;
    r.endAddress = static_cast<std::int32_t>(std::clamp<std::int64_t>(end, -1, kBufferLast));
    r.bytesDropped = r.bytesKept - r.bytesStored;
    return r;
}

std::int64_t BinaryLoader::keptBetween(std::int64_t first, std::int64_t end) const {
    // The selection repeats every four offsets.
    const auto keptBelow = [this](std::int64_t n) {
        std::int64_t kept = 0;
        for (std::uint32_t k = 0; k < 4; ++k)
            if ((k & mask_) == select_) kept += n / 4 + (static_cast<std::int64_t>(k) < n % 4 ? 1 : 0);
        return kept;
    };
    return end > first ? keptBelow(end) - keptBelow(first) : 0;
}

BinaryLoadResult loadBinary(MainBuffer& buffer, std::string_view bytes, std::int64_t start, int laneMask,
                            int laneSelect) {
    BinaryLoader loader(buffer, start, laneMask, laneSelect);
    loader.feed(bytes);
    return loader.result();
}

BinaryLoadResult loadBinaryFile(MainBuffer& buffer, const std::string& path, std::int64_t start, int laneMask,
                                int laneSelect) {
    BinaryLoader loader(buffer, start, laneMask, laneSelect);
    BinaryLoadResult r = readFileWith<BinaryLoadResult>(
        path, [&](std::string_view p) { return loader.feed(p); }, [&] { return loader.result(); });
    // The bytes past the examined limit are counted, not read.
    const FileCheck check = CheckRegularFile(path, kNoSizeLimit);
    if (r.opened && check.ok()) r.bytesDropped += loader.keptBetween(r.fileBytes, static_cast<std::int64_t>(check.size));
    return r;
}

namespace {
// The two header bytes are loaded to addresses -2 and -1, which the buffer does
// not have, so the data lands from 0 and nothing after it is touched; the counts
// stay those of the whole file.
constexpr std::int64_t kCdsHeaderBytes = 2;
BinaryLoadResult dropCdsHeader(BinaryLoadResult r) {
    const std::int64_t storedBefore = r.bytesStored;
    r.bytesStored = std::min(r.bytesKept, r.bytesStored + kCdsHeaderBytes);
    // The header was never meant for the buffer: it is not data dropped.
    r.bytesDropped -= r.bytesStored - storedBefore;
    r.endAddress = static_cast<std::int32_t>(std::max<std::int64_t>(r.bytesKept - 3, -1));
    return r;
}
} // namespace

BinaryLoadResult loadCds(MainBuffer& buffer, std::string_view bytes) {
    return dropCdsHeader(loadBinary(buffer, bytes, -kCdsHeaderBytes));
}

BinaryLoadResult loadCdsFile(MainBuffer& buffer, const std::string& path) {
    BinaryLoadResult r = loadBinaryFile(buffer, path, -kCdsHeaderBytes);
    if (!r.opened || r.readFailed) return r;
    return dropCdsHeader(r);
}

std::string binaryImage(const MainBuffer& buffer, std::int64_t endAddress) {
    if (endAddress < 0) return {};
    const std::int64_t last = std::min<std::int64_t>(endAddress, kBufferLast);
    return std::string(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(last + 1));
}

bool saveBinaryFile(const MainBuffer& buffer, std::int64_t endAddress, const std::string& path) {
    FileSink sink(path);
    if (!sink.isOpen()) return false;
    if (endAddress >= 0) {
        const std::int64_t last = std::min<std::int64_t>(endAddress, kBufferLast);
        sink.write(buffer.data(), static_cast<std::size_t>(last + 1));
    }
    return sink.close();
}

} // namespace quarvin::formats
