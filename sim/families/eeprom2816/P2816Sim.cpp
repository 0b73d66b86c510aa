#include "sim/families/eeprom2816/P2816Sim.h"

#include "families/eeprom2816/P2816Rows.h"
#include "sim/families/eeprom2816/P2816Chip.h"

namespace quarvin::sim {

SimFamily P2816SimFamily() {
    SimFamily f;
    f.dialogClass = kP2816FormClass;
    f.installOps = [](OpcodeTable&) {};
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kP2816Rows.size(); ++i)
            if (const P2816Type* type = kP2816Rows[i].chip ? FindP2816Type(kP2816Rows[i].chip) : nullptr)
                offers.push_back({type->name, kP2816FormClass, static_cast<int>(i),
                                  [type] { return std::make_shared<P2816Chip>(*type); }});
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
