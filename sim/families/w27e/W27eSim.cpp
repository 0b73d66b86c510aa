#include "sim/families/w27e/W27eSim.h"

#include "families/w27e/W27eRows.h"
#include "sim/families/w27e/W27eChip.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TPW27x";
} // namespace

SimFamily W27eSimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable&) {};
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kW27eRows.size(); ++i) {
            const W27eType* type = kW27eRows[i].chip ? FindW27eType(kW27eRows[i].chip) : nullptr;
            if (!type) continue;
            const std::string label = type->eprom.name;
            offers.push_back({label, kDialogClass, static_cast<int>(i),
                              [type, label] { return std::make_shared<W27eChip>(*type, label); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
