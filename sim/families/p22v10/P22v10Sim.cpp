#include "sim/families/p22v10/P22v10Sim.h"

#include "families/p22v10/P22v10Rows.h"
#include "sim/families/p22v10/P22v10Chip.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TP22V10x";
} // namespace

SimFamily P22v10SimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable&) {};
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kP22v10Rows.size(); ++i) {
            const P22v10Type* type = kP22v10Rows[i].chip ? FindP22v10Type(kP22v10Rows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back({type->name, kDialogClass, static_cast<int>(i),
                              [type] { return std::make_shared<P22v10Chip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
