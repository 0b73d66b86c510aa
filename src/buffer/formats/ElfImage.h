#pragma once
// ELF executables: the file bytes of every loadable segment stored at its
// physical (load) address, read through libelf. A file is loaded whole or not
// at all: one with no loadable data or with data beyond the buffer is refused.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "buffer/MainBuffer.h"

namespace quarvin::formats {

struct ElfSegment {
    std::uint64_t address = 0; // physical address
    std::uint64_t bytes = 0;   // file bytes of the segment
    std::string area;          // "" for the buffer; "EEPROM", "fuses", ... for the AVR areas not loaded
};

struct ElfLoadResult {
    bool opened = false;
    bool readFailed = false;
    std::string refusal;              // why nothing was loaded; empty when loaded
    std::int64_t highestAddress = -1; // highest buffer address written; -1 when none
    std::int64_t bytesStored = 0;
    std::vector<ElfSegment> segments; // every loadable segment with file bytes, in file order
    std::string machine;              // "AVR", "ARM", ... or "machine N"
    int bits = 0;                     // 32 or 64
    bool bigEndian = false;

    bool loaded() const { return opened && refusal.empty(); }
    // Segments that were not loaded (the AVR EEPROM and fuse areas), one line each.
    std::string notLoadedText() const;
};

// A file larger than 256 MiB is refused unread.
ElfLoadResult loadElf(MainBuffer& buffer, std::string_view file);
ElfLoadResult loadElfFile(MainBuffer& buffer, const std::string& path);

// An ELF file starts with 0x7F "ELF".
bool looksLikeElf(std::string_view start);

} // namespace quarvin::formats
