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
    const std::string out = formats::jedecText(*buffer, geometry);
    if (out.size() < static_cast<std::size_t>(geometry.fuseCount())) std::abort();
    return 0;
}
