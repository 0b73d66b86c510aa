#pragma once
// A logic device's fuses as a JEDEC fuse file: the chip image of such a part,
// and the design files the Virtual socket window loads into one.
#include <string>
#include <string_view>

#include "sim/Chip.h"
#include "sim/FuseMapPart.h"

namespace quarvin::sim {

// Every fuse of the part, its security cell as the G field and its name in a
// "PART" note, framed by STX/ETX with the fuse and transmission checksums.
std::string FuseMapText(const Chip& chip, const FuseMapPart& part);

enum class FuseFile {
    ChipImage, // written by FuseMapText: must name this part, state its fuse count and a matching checksum
    Design,    // any JEDEC file that fits the part; a checksum mismatch loads with a warning
};

struct FuseMapLoad {
    bool loaded = false;
    std::string error;   // why the file was refused; the part is then unchanged
    std::string warning; // loaded, but the file's checksum disagrees
};

// `what` names the file in messages ("chip image gal.img", "design.jed").
FuseMapLoad LoadFuseMap(Chip& chip, FuseMapPart& part, std::string_view text, FuseFile kind, const std::string& what);
FuseMapLoad LoadFuseMapFile(Chip& chip, FuseMapPart& part, const std::string& path, FuseFile kind,
                            const std::string& what);

// The fuse checksum of the part's fuses, as the file's C field carries it.
std::uint16_t FuseMapChecksum(const Chip& chip);

} // namespace quarvin::sim
