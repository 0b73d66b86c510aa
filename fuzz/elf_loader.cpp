// Feeds arbitrary bytes to the ELF loader: a file is loaded whole or refused
// with nothing stored, and what is stored lies inside the buffer.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "buffer/MainBuffer.h"
#include "buffer/formats/ElfImage.h"

using namespace quarvin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto buffer = std::make_unique<MainBuffer>();
    static std::size_t dirty = kBufferSize;
    std::memset(buffer->data(), 0, dirty);
    const auto r = formats::loadElf(*buffer, std::string_view(reinterpret_cast<const char*>(data), size));
    dirty = static_cast<std::size_t>(r.highestAddress + 1);

    if (!r.refusal.empty() && (r.bytesStored != 0 || r.highestAddress != -1)) std::abort();
    if (r.loaded() && (r.bytesStored <= 0 || r.highestAddress > static_cast<std::int64_t>(kBufferLast))) std::abort();
    // Every loaded segment is listed, and the bytes stored come from those segments.
    std::int64_t listed = 0;
    for (const auto& s : r.segments)
        if (s.area.empty()) listed += static_cast<std::int64_t>(s.bytes);
    if (r.loaded() && r.bytesStored != listed) std::abort();
    return 0;
}
