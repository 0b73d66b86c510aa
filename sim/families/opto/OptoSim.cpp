#include "sim/families/opto/OptoSim.h"

#include "families/opto/OptoPackages.h"
#include "sim/families/opto/OptoChip.h"

namespace quarvin::sim {

SimFamily OptoSimFamily() {
    SimFamily f;
    f.dialogClass = "TTestLedx";
    f.installOps = [](OpcodeTable&) {};
    f.offers = [] {
        std::vector<ChipOffer> offers;
        const auto& packages = OptoPackages();
        for (std::size_t i = 0; i < packages.size(); ++i) {
            const int pins = i == 0 ? 4 : i == 1 ? 6 : i == 2 ? 8 : 16;
            // The package's own part first, then the others of the same pin count.
            for (int own = 1; own >= 0; --own)
                for (const OptoType& t : OptoTypes())
                    if (t.pins == pins && (std::string(t.name) == packages[i].chip) == (own == 1))
                        offers.push_back({t.name, "TTestLedx", static_cast<int>(i + 1),
                                          [&t] { return std::make_shared<OptoChip>(t); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
