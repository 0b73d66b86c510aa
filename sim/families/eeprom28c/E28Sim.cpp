#include "sim/families/eeprom28c/E28Sim.h"

#include "families/eeprom28c/E28Rows.h"
#include "sim/families/eeprom28c/E28Chip.h"
#include "sim/ops/JedecBus.h"
#include "sim/ops/PageWriteOps.h"

namespace quarvin::sim {

namespace {

constexpr const char* kDialogClass = "TP28cx";

} // namespace

SimFamily E28SimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable& t) {
        installBusModeOp(t);
        installPageWriteOps(t);
    };
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kE28Rows.size(); ++i) {
            const E28Type* type = kE28Rows[i].chip ? FindE28Type(kE28Rows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back({type->name, kDialogClass, static_cast<int>(i),
                              [type] { return std::make_shared<E28Chip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
