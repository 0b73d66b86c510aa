#include "sim/families/mcu2051/P2051Sim.h"

#include "families/mcu2051/P2051Rows.h"
#include "sim/families/mcu2051/At89c2051Chip.h"
#include "sim/ops/McuDataOps.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TP2051x";
} // namespace

SimFamily P2051SimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable& table) { installMcuDataOps(table); };
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kP2051Rows.size(); ++i) {
            const At89c2051Type* type = kP2051Rows[i].chip ? FindAt89c2051Type(kP2051Rows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back({type->name, kDialogClass, static_cast<int>(i),
                              [type] { return std::make_shared<At89c2051Chip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
