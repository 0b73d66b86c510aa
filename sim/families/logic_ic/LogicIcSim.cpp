#include "sim/families/logic_ic/LogicIcSim.h"

#include "sim/families/logic_ic/LogicChip.h"

namespace quarvin::sim {

SimFamily LogicIcSimFamily() {
    SimFamily f;
    f.dialogClass = "TICTestx";
    f.installOps = [](OpcodeTable&) {};
    f.offers = [] {
        std::vector<ChipOffer> offers;
        const std::vector<LogicPart>* tables[] = {&Ttl74Parts(), &Cmos40Parts(), &Cmos45Parts()};
        for (int c = 0; c < 3; ++c)
            for (const LogicPart& part : *tables[c])
                offers.push_back({part.name, "TICTestx", c, [&part] { return std::make_shared<LogicChip>(part); }});
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
