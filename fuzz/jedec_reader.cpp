// Feeds arbitrary text to the JEDEC reader with a fuse map geometry taken from the
// first input byte, and writes the map back out.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "buffer/MainBuffer.h"
#include "buffer/formats/Jedec.h"

using namespace quarvin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto buffer = std::make_unique<MainBuffer>();
    static const formats::FuseGeometry kGeometries[] = {{32, 64}, {40, 64}, {44, 132}, {1, -6}, {7, 3}};
    if (size == 0) return 0;
    const auto& geometry = kGeometries[data[0] % std::size(kGeometries)];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto r = formats::readJedec(*buffer, geometry, text);
    if (r.highestFuse > static_cast<std::int64_t>(kBufferLast)) std::abort();
    if (r.fusesStored > static_cast<std::int64_t>(text.size())) std::abort();
    // What is written reads back to the same fuses: every fuse of the file's count.
    const std::string out = formats::jedecText(*buffer, geometry);
    const std::int64_t fileFuses = formats::jedecFileFuses(geometry);
    if (out.size() < static_cast<std::size_t>(fileFuses)) std::abort();
    static auto copy = std::make_unique<MainBuffer>();
    const auto back = formats::readJedec(*copy, geometry, out);
    if (back.checksumMismatch() || back.fusesStored != fileFuses) std::abort();
    for (std::int64_t i = 0; i < fileFuses; ++i)
        if ((buffer->data()[i] & 1) != (copy->data()[i] & 1)) std::abort();
    return 0;
}
