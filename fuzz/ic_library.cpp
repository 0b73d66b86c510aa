// Feeds arbitrary bytes to the logic IC tester's library reader and checks what
// the tester relies on: every entry's vectors lie inside the file, the pin bytes
// it converted turn back into the file's (pin 20 aside, which no port carries),
// and a file cut short keeps the records before the cut as they were.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "families/logic_ic/IcLibrary.h"

using namespace quarvin;

namespace {

constexpr std::uint8_t kPin20 = 0x08; // bit 3 of the file's pins 17..24 byte

void CheckEntriesInside(const IcLibrary& lib) {
    for (const IcEntry& e : lib.entries())
        if (std::size_t{e.offset} + kIcHeaderSize + std::size_t{kIcVectorSize} * e.count > lib.size()) std::abort();
}

void CheckConversion(const std::vector<std::uint8_t>& file, const IcLibrary& lib) {
    for (const IcEntry& e : lib.entries()) {
        if (e.count == 0) continue;
        for (std::uint32_t j = 0; j < e.count; ++j) {
            const std::uint8_t* loaded = lib.vector(e, j);
            const std::uint8_t* original = file.data() + e.offset + kIcHeaderSize + kIcVectorSize * j;
            if (loaded[kIcFlags] != original[kIcFlags]) std::abort();
            if (loaded[kIcFlags] & kIcLoopFlag) continue;
            for (const auto& [high, low] : {std::pair{kIcDrive3, kIcDrive2}, std::pair{kIcExpect3, kIcExpect2}}) {
                std::uint8_t back3 = loaded[high], back2 = loaded[low];
                IcToFileLayout(back3, back2);
                if (back3 != original[high] || back2 != (original[low] & ~kPin20)) std::abort();
            }
        }
    }
}

// The records a shorter file keeps are the whole file's first ones; an empty
// record last in the shorter file keeps its own place, so only records with
// vectors are compared by place and supply.
void CheckCutShort(const std::vector<std::uint8_t>& file, const IcLibrary& whole) {
    const std::size_t cut = file.empty() ? 0 : file[0] % (file.size() + 1);
    const IcLibrary part = IcLibrary::Parse(std::vector<std::uint8_t>(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut)));
    if (part.entries().size() > whole.entries().size()) std::abort();
    for (std::size_t i = 0; i < part.entries().size(); ++i) {
        const IcEntry& a = part.entries()[i];
        const IcEntry& b = whole.entries()[i];
        if (a.count != b.count) std::abort();
        if (a.count != 0 && (a.offset != b.offset || a.vccPin != b.vccPin)) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> file(data, data + size);
    const IcLibrary lib = IcLibrary::Parse(file);
    CheckEntriesInside(lib);
    CheckConversion(file, lib);
    CheckCutShort(file, lib);
    return 0;
}
