#include "sim/families/avr90s/Avr90sSim.h"

#include "families/avr90s/Avr90sRows.h"
#include "sim/families/avr90s/Avr90sChip.h"
#include "sim/ops/McuDataOps.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TAT90sx";
} // namespace

SimFamily Avr90sSimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable& table) { installMcuDataOps(table); };
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kAvr90sRows.size(); ++i) {
            const Avr90sType* type = kAvr90sRows[i].chip ? FindAvr90sType(kAvr90sRows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back({type->name, kDialogClass, static_cast<int>(i),
                              [type] { return std::make_shared<Avr90sChip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
