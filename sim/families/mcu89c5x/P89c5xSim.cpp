#include "sim/families/mcu89c5x/P89c5xSim.h"

#include "families/mcu89c5x/P89c5xRows.h"
#include "sim/families/mcu89c5x/At89c5xChip.h"
#include "sim/ops/McuDataOps.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TP89c5x";
} // namespace

SimFamily P89c5xSimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable& table) { installMcuDataOps(table); };
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kP89c5xRows.size(); ++i) {
            const At89c5xType* type = kP89c5xRows[i].chip ? FindAt89c5xType(kP89c5xRows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back({type->name, kDialogClass, static_cast<int>(i),
                              [type] { return std::make_shared<At89c5xChip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
