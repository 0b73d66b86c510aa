#pragma once
// Raw binary files: load with byte-lane selection, the two-byte-header CDS load,
// and the binary save of bytes 0..end address.
#include <cstdint>
#include <string>
#include <string_view>

#include "buffer/MainBuffer.h"

namespace quarvin::formats {

// At most this many file bytes are examined by a binary load (the buffer size).
constexpr std::int64_t kMaxBinaryFileBytes = kBufferSize;

struct BinaryLoadResult {
    bool opened = false;
    bool readFailed = false;       // a read error ended the load; the bytes before it are stored
    std::int64_t fileBytes = 0;    // file bytes examined
    std::int64_t bytesKept = 0;    // bytes that passed the lane selection
    std::int64_t bytesStored = 0;  // kept bytes whose address lay inside the buffer
    std::int32_t endAddress = -1;  // last address written; start - 1 when none (within -1..0x3FFFFF)
    // Bytes the lane selection kept that did not land in the buffer (before its
    // start or past its end, or past the examined limit): data the load lost.
    std::int64_t bytesDropped = 0;
};

// Stores file bytes at increasing addresses from `start`, keeping the byte at file
// offset i when (i & laneMask) == laneSelect (both taken modulo 4).
class BinaryLoader {
public:
    BinaryLoader(MainBuffer& buffer, std::int64_t start, int laneMask, int laneSelect);
    // Returns false once the examined-bytes limit is reached.
    bool feed(std::string_view piece);
    BinaryLoadResult result() const;
    // How many of the file offsets first..end-1 the lane selection keeps.
    std::int64_t keptBetween(std::int64_t first, std::int64_t end) const;

private:
    MainBuffer& buffer_;
    std::int64_t start_;
    std::uint32_t mask_, select_;
    std::int64_t offset_ = 0;
    std::int64_t dest_;
    std::int64_t stored_ = 0;
    std::int64_t lastWritten_ = -1;
};

BinaryLoadResult loadBinary(MainBuffer& buffer, std::string_view bytes, std::int64_t start,
                            int laneMask = 0, int laneSelect = 0);
BinaryLoadResult loadBinaryFile(MainBuffer& buffer, const std::string& path, std::int64_t start,
                                int laneMask = 0, int laneSelect = 0);

// CDS: the file's bytes from address 0 with its two header bytes dropped. The end
// address covers the moved data (file length - 3, at least -1).
BinaryLoadResult loadCds(MainBuffer& buffer, std::string_view bytes);
BinaryLoadResult loadCdsFile(MainBuffer& buffer, const std::string& path);

// Bytes 0..endAddress (clipped to the buffer); a negative end gives an empty file.
std::string binaryImage(const MainBuffer& buffer, std::int64_t endAddress);
// False when the file could not be written.
bool saveBinaryFile(const MainBuffer& buffer, std::int64_t endAddress, const std::string& path);

} // namespace quarvin::formats
