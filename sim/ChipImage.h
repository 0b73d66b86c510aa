#pragma once
// A chip's whole state in a file, so that one virtual chip outlives the process
// that programmed it: a short text header (label, cell count, size of the extra
// state) and then the cells and the extra state as raw bytes.
#include <string>

#include "sim/Chip.h"

namespace quarvin::sim {

enum class ImageLoad {
    Loaded,  // the chip now holds the file's state
    NoFile,  // no such file: the chip stays as it is (blank)
    Refused, // unreadable, damaged, or the image of another part; the chip is unchanged
};

struct ChipImageLoad {
    ImageLoad status = ImageLoad::NoFile;
    std::string error; // why it was refused
};

ChipImageLoad LoadChipImage(Chip& chip, const std::string& path);

// Writes the image through a temporary file renamed over the old one, so that a
// process killed while writing leaves the previous image. The error text, empty
// when written.
std::string SaveChipImage(const Chip& chip, const std::string& path);

} // namespace quarvin::sim
