// Feeds arbitrary bytes to the binary loader in every load mode (all bytes, one
// byte of each 16-bit or 32-bit word) from a start address the input chooses, and
// to the .CDS loader, and checks each against a plain model: which bytes land
// where, the counts, the end address, and that a load fed in small pieces stores
// the same as one fed whole.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "buffer/MainBuffer.h"
#include "buffer/formats/BinaryFormat.h"

using namespace quarvin;

namespace {

struct Lanes {
    int mask, select;
};
// The format dialog's load modes: every byte, or one byte lane of 16- or 32-bit words.
constexpr Lanes kModes[] = {{0, 0}, {1, 0}, {1, 1}, {3, 0}, {3, 1}, {3, 2}, {3, 3}};

std::unique_ptr<MainBuffer> whole = std::make_unique<MainBuffer>();
std::unique_ptr<MainBuffer> pieces = std::make_unique<MainBuffer>();

void Clear() {
    std::memset(whole->data(), 0, kBufferSize);
    std::memset(pieces->data(), 0, kBufferSize);
}

void CheckBinary(std::string_view file, std::int64_t start, Lanes lanes) {
    Clear();
    const auto r = formats::loadBinary(*whole, file, start, lanes.mask, lanes.select);
    formats::BinaryLoader loader(*pieces, start, lanes.mask, lanes.select);
    for (std::size_t i = 0; i < file.size(); i += 5)
        if (!loader.feed(file.substr(i, 5))) break;
    const auto p = loader.result();
    if (r.bytesKept != p.bytesKept || r.bytesStored != p.bytesStored || r.endAddress != p.endAddress) std::abort();
    if (std::memcmp(whole->data(), pieces->data(), kBufferSize) != 0) std::abort();

    std::int64_t kept = 0, stored = 0, end = start - 1;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if ((static_cast<int>(i) & lanes.mask) != lanes.select) continue;
        const std::int64_t address = start + kept++;
        if (address < 0 || address > static_cast<std::int64_t>(kBufferLast)) continue;
        if ((*whole)[static_cast<std::uint32_t>(address)] != static_cast<std::uint8_t>(file[i])) std::abort();
        ++stored;
        end = address;
    }
    if (r.bytesKept != kept || r.bytesStored != stored) std::abort();
    if (r.endAddress < -1 || r.endAddress > static_cast<std::int32_t>(kBufferLast)) std::abort();
    if (stored > 0 && r.endAddress != end) std::abort();
}

void CheckCds(std::string_view file) {
    Clear();
    const auto r = formats::loadCds(*whole, file);
    const std::size_t moved = file.size() > 2 ? std::min<std::size_t>(file.size() - 2, kBufferSize) : 0;
    if (moved > 0 && std::memcmp(whole->data(), file.data() + 2, moved) != 0) std::abort();
    if (r.endAddress != static_cast<std::int32_t>(moved) - 1) std::abort();
    for (std::size_t a = moved; a < 64 && a < kBufferSize; ++a)
        if ((*whole)[static_cast<std::uint32_t>(a)] != 0) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    // The first three bytes choose a start address around the buffer's ends.
    const std::int64_t start = ((std::int64_t{data[0]} << 16 | data[1] << 8 | data[2]) % 0x80) +
                               (data[0] & 0x80 ? static_cast<std::int64_t>(kBufferSize) - 0x40 : 0);
    const std::string_view file(reinterpret_cast<const char*>(data + 3), size - 3);
    for (const Lanes lanes : kModes) CheckBinary(file, start, lanes);
    CheckCds(file);
    return 0;
}
