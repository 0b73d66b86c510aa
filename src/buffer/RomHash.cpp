#include "buffer/RomHash.h"

#include <openssl/evp.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdio>

namespace quarvin {

namespace {

std::string hexText(const unsigned char* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * count);
    for (std::size_t k = 0; k < count; ++k) {
        text.push_back(kDigits[bytes[k] >> 4]);
        text.push_back(kDigits[bytes[k] & 0xF]);
    }
    return text;
}

std::string crc32Text(const std::uint8_t* bytes, std::size_t count) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes at most UINT_MAX bytes a call.
    for (std::size_t done = 0; done < count;) {
        const auto n = static_cast<uInt>(std::min<std::size_t>(count - done, UINT_MAX));
        crc = crc32(crc, bytes + done, n);
        done += n;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%08lx", crc & 0xFFFFFFFFUL);
    return text;
}

std::string digestText(const EVP_MD* md, const std::uint8_t* bytes, std::size_t count) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes, count, digest, &length, md, nullptr) != 1) return "(digest failed)";
    return hexText(digest, length);
}

} // namespace

const char* romHashName(RomHashKind kind) {
    switch (kind) {
    case RomHashKind::Crc32: return "CRC-32";
    case RomHashKind::Sha1: return "SHA-1";
    case RomHashKind::Sha256: return "SHA-256";
    }
    return "";
}

std::string romHash(RomHashKind kind, const std::uint8_t* bytes, std::size_t count) {
    switch (kind) {
    case RomHashKind::Crc32: return crc32Text(bytes, count);
    case RomHashKind::Sha1: return digestText(EVP_sha1(), bytes, count);
    case RomHashKind::Sha256: return digestText(EVP_sha256(), bytes, count);
    }
    return {};
}

std::string romHash(RomHashKind kind, const MainBuffer& buffer, std::int64_t first, std::int64_t last) {
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, kBufferLast);
    const std::size_t count = last >= first ? static_cast<std::size_t>(last - first + 1) : 0;
    return romHash(kind, buffer.data() + (count ? first : 0), count);
}

std::string romHashLine(const std::vector<RomHashKind>& kinds, const MainBuffer& buffer, std::int64_t first,
                        std::int64_t last) {
    std::string line;
    for (RomHashKind kind : kinds) {
        if (!line.empty()) line += "  ";
        line += std::string(romHashName(kind)) + " " + romHash(kind, buffer, first, last);
    }
    return line;
}

} // namespace quarvin
