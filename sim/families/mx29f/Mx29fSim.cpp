#include "sim/families/mx29f/Mx29fSim.h"

#include "families/mx29f/Mx29fRows.h"
#include "sim/families/flash29f/F29Chip.h"
#include "sim/families/flash29f/F29Sim.h"

namespace quarvin::sim {

SimFamily Mx29fSimFamily() {
    SimFamily f;
    f.dialogClass = kMx29fFormClass;
    f.installOps = installF29Ops;
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kMx29fRows.size(); ++i)
            if (const F29Type* type = kMx29fRows[i].chip ? FindF29Type(kMx29fRows[i].chip) : nullptr)
                offers.push_back({type->name, kMx29fFormClass, static_cast<int>(i),
                                  [type] { return std::make_shared<F29Chip>(*type); }});
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
