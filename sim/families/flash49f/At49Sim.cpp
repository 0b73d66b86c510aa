#include "sim/families/flash49f/At49Sim.h"

#include "families/flash49f/At49Rows.h"
#include "sim/families/flash29f/F29Sim.h"
#include "sim/families/flash49f/At49Chip.h"

namespace quarvin::sim {

SimFamily At49fSimFamily() {
    SimFamily f;
    f.dialogClass = kAt49fFormClass;
    f.installOps = installF29Ops;
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kAt49fRows.size(); ++i)
            if (const At49Type* type = kAt49fRows[i].chip ? FindAt49Type(kAt49fRows[i].chip) : nullptr)
                offers.push_back({type->name, kAt49fFormClass, static_cast<int>(i),
                                  [type] { return std::make_shared<At49Chip>(*type); }});
        // The N versions (no RESET) of the rows' parts, for --chip.
        const std::pair<const char*, int> others[] = {
            {"AT49F001N", 2}, {"AT49F001NT", 3}, {"AT49F002N", 4}, {"AT49F002NT", 5}};
        for (auto [name, row] : others) {
            const At49Type* type = FindAt49Type(name);
            offers.push_back({type->name, kAt49fFormClass, row, [type] { return std::make_shared<At49Chip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
