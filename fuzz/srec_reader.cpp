// Feeds arbitrary text to the S-record reader, whole and in small pieces, and
// checks that both ways store the same bytes and report the same result.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "buffer/MainBuffer.h"
#include "buffer/formats/SRecord.h"

using namespace quarvin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto whole = std::make_unique<MainBuffer>();
    static auto pieces = std::make_unique<MainBuffer>();
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Only bytes up to the highest address stored last time can be dirty.
    static std::size_t dirty = kBufferSize;
    std::memset(whole->data(), 0, dirty);
    std::memset(pieces->data(), 0, dirty);
    const auto a = formats::readSrec(*whole, text);
    formats::SrecReader reader(*pieces);
    for (std::size_t i = 0; i < text.size(); i += 3)
        if (!reader.feed(text.substr(i, 3))) break;
    const auto b = reader.finish();
    dirty = static_cast<std::size_t>(std::max<std::int64_t>(a.highestAddress, b.highestAddress) + 1);

    if (a.highestAddress != b.highestAddress || a.bytesStored != b.bytesStored || a.badRecords != b.badRecords ||
        a.header != b.header || a.startAddress != b.startAddress)
        std::abort();
    if (a.highestAddress > static_cast<std::int64_t>(kBufferLast)) std::abort();
    if (a.bytesStored > static_cast<std::int64_t>(a.dataRecords) * 252) std::abort();
    if (a.badRecords > 0 && a.firstBadLine <= 0) std::abort();
    if (a.highestAddress >= 0 &&
        std::memcmp(whole->data(), pieces->data(), static_cast<std::size_t>(a.highestAddress) + 1) != 0)
        std::abort();
    return 0;
}
