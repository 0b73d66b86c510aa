#include "sim/ChipImage.h"
#include "platform/RegularFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sim/FuseMapFile.h"

namespace quarvin::sim {

namespace {

constexpr const char* kMagic = "QUARVIN chip image 1";

struct Header {
    std::string label;
    std::size_t cells = 0;
    std::size_t extra = 0;
};

std::string Describe(const std::string& label, std::size_t cells) {
    return label + " (" + std::to_string(cells) + " bytes)";
}

// Reads "name: value" lines up to the empty line that ends the header.
bool ReadHeader(std::istream& in, Header& h) {
    std::string line;
    if (!std::getline(in, line) || line != kMagic) return false;
    bool sawLabel = false, sawCells = false, sawExtra = false;
    while (std::getline(in, line) && !line.empty()) {
        const auto colon = line.find(": ");
        if (colon == std::string::npos) return false;
        const std::string name = line.substr(0, colon), value = line.substr(colon + 2);
        // Counts are plain decimal digits: stoul would take "-5" as a huge count.
        const bool digits = !value.empty() && value.size() <= 10 && value.find_first_not_of("0123456789") == std::string::npos;
        if (name == "label") h.label = value, sawLabel = true;
        else if ((name == "cells" || name == "extra") && !digits) return false;
        else if (name == "cells") h.cells = std::stoul(value), sawCells = true;
        else if (name == "extra") h.extra = std::stoul(value), sawExtra = true;
    }
    return sawLabel && sawCells && sawExtra;
}

// A logic device's image is a JEDEC fuse file of every fuse that other tools read.
ChipImageLoad LoadFuseMapImage(Chip& chip, FuseMapPart& part, const std::string& path) {
    const FuseMapLoad load = LoadFuseMapFile(chip, part, path, FuseFile::ChipImage, "chip image " + path);
    return {load.loaded ? ImageLoad::Loaded : ImageLoad::Refused, load.error};
}

// The header, then the cells and the extra state as raw bytes.
std::string MemoryImage(const Chip& chip) {
    const auto& cells = chip.memory();
    const std::vector<std::uint8_t> extra = chip.extraState();
    std::string image = std::string(kMagic) + "\nlabel: " + chip.label() + "\ncells: " + std::to_string(cells.size()) +
                        "\nextra: " + std::to_string(extra.size()) + "\n\n";
    image.append(cells.begin(), cells.end());
    image.append(extra.begin(), extra.end());
    return image;
}

} // namespace

ChipImageLoad LoadChipImage(Chip& chip, const std::string& path) {
    std::error_code absent;
    if (!std::filesystem::exists(path, absent) && !absent) return {ImageLoad::NoFile, {}};
    if (const FileCheck check = CheckRegularFile(path, kMaxChipImageBytes); !check.ok())
        return {ImageLoad::Refused, "chip image " + check.text(path, kMaxChipImageBytes)};
    if (auto* part = dynamic_cast<FuseMapPart*>(&chip)) return LoadFuseMapImage(chip, *part, path);
    std::ifstream in(path, std::ios::binary);
    // A file that exists but cannot be read must not pass for a blank chip.
    if (!in) return {ImageLoad::Refused, "cannot read chip image " + path};
    Header h;
    if (!ReadHeader(in, h)) return {ImageLoad::Refused, path + " is not a chip image"};
    auto& cells = chip.memory();
    if (h.label != chip.label() || h.cells != cells.size())
        return {ImageLoad::Refused, "chip image " + path + " holds a " + Describe(h.label, h.cells) + ", not a " +
                                        Describe(chip.label(), cells.size())};
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < h.cells + h.extra) return {ImageLoad::Refused, "chip image " + path + " is cut short"};
    if (bytes.size() > h.cells + h.extra)
        return {ImageLoad::Refused, "chip image " + path + " is longer than its header says (" +
                                        std::to_string(bytes.size() - (h.cells + h.extra)) + " bytes too many)"};
    const std::vector<std::uint8_t> extra(bytes.begin() + static_cast<long>(h.cells), bytes.end());
    std::vector<std::uint8_t> before = cells;
    std::copy(bytes.begin(), bytes.begin() + static_cast<long>(h.cells), cells.begin());
    if (!chip.loadExtraState(extra)) {
        cells = std::move(before);
        return {ImageLoad::Refused, "chip image " + path + ": the lock and fuse state does not fit " + chip.label()};
    }
    chip.markChanged();
    return {ImageLoad::Loaded, {}};
}

std::string SaveChipImage(const Chip& chip, const std::string& path) {
    const auto* part = dynamic_cast<const FuseMapPart*>(&chip);
    const std::string image = part ? FuseMapText(chip, *part) : MemoryImage(chip);
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(image.data(), static_cast<std::streamsize>(image.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return "cannot write chip image " + path;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return "cannot write chip image " + path;
    }
    return {};
}

} // namespace quarvin::sim
