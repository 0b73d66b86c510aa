#include "sim/FuseMapFile.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "buffer/formats/Jedec.h"
#include "sim/SimFamily.h"

namespace quarvin::sim {

namespace {

constexpr std::string_view kPartNote = "PART ";
// A fuse file of the largest part is a few kilobytes; anything far bigger is not one.
constexpr std::streamsize kLargestFile = 1 << 20;

std::string Described(const std::string& name, std::size_t fuses) {
    return name + " (" + std::to_string(fuses) + " fuses)";
}

// The part a "PART" note names; empty when no note does.
std::string NotedPart(const formats::JedecLoadResult& r) {
    for (const std::string& note : r.notes) {
        const auto start = note.find_first_not_of(" \t\r\n");
        if (start == std::string::npos || note.compare(start, kPartNote.size(), kPartNote) != 0) continue;
        std::string name = note.substr(start + kPartNote.size());
        name.erase(name.find_last_not_of(" \t\r\n") + 1);
        return name;
    }
    return {};
}

} // namespace

std::uint16_t FuseMapChecksum(const Chip& chip) {
    const auto& fuses = chip.memory();
    return formats::jedecChecksum(fuses.data(), static_cast<std::int64_t>(fuses.size()));
}

std::string FuseMapText(const Chip& chip, const FuseMapPart& part) {
    formats::JedecListing listing;
    listing.design = "QUARVIN virtual chip " + chip.label();
    listing.notes = {std::string(kPartNote) + chip.label()};
    listing.securityFuse = part.secured() ? 1 : 0;
    listing.framed = true;
    const auto& fuses = chip.memory();
    return formats::jedecFuseText(fuses.data(), static_cast<std::int64_t>(fuses.size()), part.fusesPerLine(), listing);
}

FuseMapLoad LoadFuseMap(Chip& chip, FuseMapPart& part, std::string_view text, FuseFile kind, const std::string& what) {
    auto& cells = chip.memory();
    const std::size_t count = cells.size();
    // Read into a copy, so that a refused file leaves the part as it was.
    std::vector<std::uint8_t> fuses(count);
    formats::JedecReader reader(fuses.data(), static_cast<std::int64_t>(count), static_cast<std::int64_t>(count));
    reader.feed(text);
    const formats::JedecLoadResult r = reader.finish();

    const bool image = kind == FuseFile::ChipImage;
    const std::string partName = chip.label();
    const std::string noted = NotedPart(r);
    FuseMapLoad load;
    if (r.fusesStored == 0 && r.declaredFuses < 0) {
        load.error = what + " is not a JEDEC fuse file";
    } else if (image && noted.empty()) {
        load.error = what + " is not a chip image of a " + partName + " (it notes no part)";
    } else if (!noted.empty() && !SamePartName(noted, partName)) {
        const std::int64_t listed = r.declaredFuses >= 0 ? r.declaredFuses : r.highestFuse + 1;
        load.error = what + " holds a " + Described(noted, static_cast<std::size_t>(std::max<std::int64_t>(listed, 0))) +
                     ", not a " + Described(partName, count);
    } else if (image && r.declaredFuses < 0) {
        load.error = what + " states no fuse count (QF); a " + partName + " has " + std::to_string(count);
    } else if (r.declaredFuses >= 0 && r.declaredFuses != static_cast<std::int64_t>(count)) {
        load.error = what + " lists " + std::to_string(r.declaredFuses) + " fuses; a " + partName + " has " +
                     std::to_string(count);
    } else if (r.fusesOutside != 0) {
        load.error = what + " numbers fuses beyond the " + std::to_string(count) + " of a " + partName;
    } else if (image && !r.checksumFieldSeen) {
        load.error = what + " is cut short (no checksum field)";
    } else if (image && r.checksumMismatch()) {
        load.error = what + " is damaged: " + r.problemText();
    }
    if (!load.error.empty()) return load;

    // No fuse lies outside the part here, so the only problem left is the checksum.
    load.warning = r.problemText();
    for (std::size_t n = 0; n < count; ++n) cells[n] = fuses[n] & 1;
    part.restoreSecurity(r.securityFuse == 1);
    chip.markChanged();
    load.loaded = true;
    return load;
}

FuseMapLoad LoadFuseMapFile(Chip& chip, FuseMapPart& part, const std::string& path, FuseFile kind,
                            const std::string& what) {
    const FileCheck check = CheckRegularFile(path, kMaxChipImageBytes);
    if (!check.ok()) return {false, check.text(what, kMaxChipImageBytes), {}};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {false, "cannot read " + what, {}};
    std::string text(static_cast<std::size_t>(kLargestFile) + 1, '\0');
    in.read(text.data(), kLargestFile + 1);
    if (in.bad()) return {false, "cannot read " + what, {}};
    if (in.gcount() > kLargestFile) return {false, what + " is too large to be a JEDEC fuse file", {}};
    text.resize(static_cast<std::size_t>(in.gcount()));
    return LoadFuseMap(chip, part, text, kind, what);
}

} // namespace quarvin::sim
