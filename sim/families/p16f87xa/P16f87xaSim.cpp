#include "sim/families/p16f87xa/P16f87xaSim.h"

#include "families/p16f87xa/P16f87xaRows.h"
#include "sim/families/p16f87xa/P16f87xaChip.h"
#include "sim/families/pic16c8x/PicSerialOps.h"

namespace quarvin::sim {

SimFamily P16f87xaSimFamily() {
    constexpr const char* kDialogClass = "TP16f87x";
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable& table) { installPicSerialOps(table); };
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kP16f87xaRows.size(); ++i) {
            const P16f87xaType* type = kP16f87xaRows[i].chip ? FindP16f87xaType(kP16f87xaRows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back({type->name, kDialogClass, static_cast<int>(i),
                              [type] { return std::make_shared<P16f87xaChip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
