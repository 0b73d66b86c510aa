#include "sim/families/pic16c8x/Pic16Sim.h"

#include "families/pic16c8x/Pic16Rows.h"
#include "sim/families/pic16c8x/Pic16Chip.h"
#include "sim/families/pic16c8x/PicSerialOps.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TP16c8x";

ChipOffer OfferOf(const Pic16Type* type, int subType) {
    return {type->name, kDialogClass, subType, [type] { return std::make_shared<Pic16Chip>(*type); }};
}
} // namespace

SimFamily Pic16SimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable& table) { installPicSerialOps(table); };
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kPic16Rows.size(); ++i) {
            const Pic16Type* type = kPic16Rows[i].chip ? FindPic16Type(kPic16Rows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back(OfferOf(type, static_cast<int>(i)));
        }
        // The 16F84 shares the 16F84A's row.
        offers.push_back(OfferOf(FindPic16Type("PIC16F84"), 5));
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
