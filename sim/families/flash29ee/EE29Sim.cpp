#include "sim/families/flash29ee/EE29Sim.h"

#include "families/flash29ee/EE29Rows.h"
#include "sim/families/flash29ee/EE29Chip.h"
#include "sim/ops/JedecBus.h"
#include "sim/ops/PageWriteOps.h"

namespace quarvin::sim {

namespace {

constexpr const char* kDialogClass = "TP29e";

ChipOffer Offer(const EE29Type& type, int row) {
    return {type.name, kDialogClass, row, [&type] { return std::make_shared<EE29Chip>(type); }};
}

} // namespace

SimFamily EE29SimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable& t) {
        installBusModeOp(t);
        installPageWriteOps(t);
        installCommandLoadOps(t);
    };
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kEE29Rows.size(); ++i)
            if (const EE29Type* type = kEE29Rows[i].chip ? FindEE29Type(kEE29Rows[i].chip) : nullptr)
                offers.push_back(Offer(*type, static_cast<int>(i)));
        // Other makers' parts of rows 3, 4 and 5, for --chip.
        const std::pair<const char*, int> others[] = {{"W29EE512", 3}, {"W29EE011", 4}, {"W29C020", 5}};
        for (auto [name, row] : others) offers.push_back(Offer(*FindEE29Type(name), row));
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
