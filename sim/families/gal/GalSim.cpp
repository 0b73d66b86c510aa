#include "sim/families/gal/GalSim.h"

#include "families/gal/GalRows.h"
#include "sim/families/gal/GalChip.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TGALx";

void Offer(std::vector<ChipOffer>& offers, const char* name, int row) {
    const GalType* type = FindGalType(name);
    if (!type) return;
    offers.push_back({type->name, kDialogClass, row, [type] { return std::make_shared<GalChip>(*type); }});
}
} // namespace

SimFamily GalSimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable&) {};
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kGalRows.size(); ++i) {
            if (!kGalRows[i].chip) continue;
            Offer(offers, kGalRows[i].chip, static_cast<int>(i));
            // The "16V8B/D" row stands for both parts.
            if (std::string(kGalRows[i].chip) == "GAL16V8B") Offer(offers, "GAL16V8D", static_cast<int>(i));
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
