// Feeds arbitrary bytes to the chip image reader as the image of a memory part,
// of a microcontroller with lock bits and of a logic device, and checks that a
// refused file leaves the part as it was and that a loaded one is written back
// and read again into a fresh part unchanged.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "ScratchFile.h"
#include "sim/ChipImage.h"
#include "sim/SimFamily.h"

using namespace quarvin;

namespace {

struct Part {
    const char* family;
    int subType;
};
constexpr Part kParts[] = {{"TP27x", 1}, {"TP2051x", 2}, {"TGALx", 3}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const sim::ChipOffer* offer = sim::OfferForSubType(kParts[data[0] % 3].family, kParts[data[0] % 3].subType);
    if (!offer) std::abort();
    const std::string path = fuzz::WriteScratch("part.chip", data + 1, size - 1);

    auto chip = offer->make();
    chip->memory().assign(chip->memory().size(), 0x5A);
    const auto cells = chip->memory();
    const auto extra = chip->extraState();
    const sim::ChipImageLoad load = sim::LoadChipImage(*chip, path);
    if (load.status != sim::ImageLoad::Loaded) {
        if (load.error.empty() || chip->memory() != cells || chip->extraState() != extra) std::abort();
        return 0;
    }
    const std::string again = (fuzz::ScratchDir() / "again.chip").string();
    if (!sim::SaveChipImage(*chip, again).empty()) std::abort();
    auto copy = offer->make();
    if (sim::LoadChipImage(*copy, again).status != sim::ImageLoad::Loaded) std::abort();
    if (copy->memory() != chip->memory() || copy->extraState() != chip->extraState()) std::abort();
    return 0;
}
