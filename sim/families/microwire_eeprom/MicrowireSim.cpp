#include "sim/families/microwire_eeprom/MicrowireSim.h"

#include "families/microwire_eeprom/MicrowireRows.h"
#include "sim/families/microwire_eeprom/MicrowireChip.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TP93cxx";
} // namespace

SimFamily MicrowireSimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable&) {};
    // Both organisations of a type are the same part, with ORG set by the program.
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kMicrowireRows.size(); ++i) {
            const MicrowireType* type = kMicrowireRows[i].chip ? FindMicrowireType(kMicrowireRows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back({type->name, kDialogClass, static_cast<int>(i),
                              [type] { return std::make_shared<MicrowireChip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
