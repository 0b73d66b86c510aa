#include "sim/families/flash28f/F28Sim.h"

#include "families/flash28f/F28Rows.h"
#include "sim/families/flash28f/F28Chip.h"
#include "sim/families/flash28f/F28Ops.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TPi28fxxx";

ChipOffer OfferOf(const F28Type* type, int row) {
    return {type->name, kDialogClass, row, [type] { return std::make_shared<F28Chip>(*type); }};
}
} // namespace

SimFamily F28SimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = installF28Ops;
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kF28Rows.size(); ++i)
            if (const F28Type* type = kF28Rows[i].chip ? FindF28Type(kF28Rows[i].chip) : nullptr)
                offers.push_back(OfferOf(type, static_cast<int>(i)));
        // Other makers' parts of rows 1, 3, 4 and 5, for --chip.
        const std::pair<const char*, int> others[] = {{"Am28F256", 1},  {"Am28F512", 3},  {"CAT28F512", 3},
                                                      {"Am28F010", 4},  {"CAT28F010", 4}, {"Am28F020", 5},
                                                      {"CAT28F020", 5}};
        for (auto [name, row] : others) offers.push_back(OfferOf(FindF28Type(name), row));
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
