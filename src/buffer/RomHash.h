#pragma once
// Checksums of a buffer range as ROM lists publish them: CRC-32 (zlib) and
// SHA-1/SHA-256 (libcrypto), as lower-case hex text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "buffer/MainBuffer.h"

namespace quarvin {

enum class RomHashKind { Crc32, Sha1, Sha256 };

// "CRC-32", "SHA-1", "SHA-256".
const char* romHashName(RomHashKind kind);
// CRC-32 as eight hex digits, the SHA digests as 40 and 64.
std::string romHash(RomHashKind kind, const std::uint8_t* bytes, std::size_t count);
// Of buffer bytes first..last (clipped to the buffer; empty when last < first).
std::string romHash(RomHashKind kind, const MainBuffer& buffer, std::int64_t first, std::int64_t last);
// "CRC-32 1a2b3c4d  SHA-1 ..." for the kinds asked for, in the order given.
std::string romHashLine(const std::vector<RomHashKind>& kinds, const MainBuffer& buffer, std::int64_t first,
                        std::int64_t last);

} // namespace quarvin
