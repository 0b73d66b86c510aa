#include "families/gal/GalFamily.h"
#include "families/placement/SocketPlacement.h"

#include "families/gal/GalSession.h"

namespace quarvin {

FamilyEntry GalFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<GalDialog>(ctx); };
    // Size: the fuses of the device's JEDEC map, as the part holds them.
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const GalRow& r : kGalRows)
            rows.push_back({r.name, r.jedecFuses(), r.vppMillivolts, r.chip ? r.chip : "",
                            r.chip ? BottomAligned(PackagePinsOfVcc(r.vccPin), {r.vccPin}, {kSocketRowPins}, {r.vppPin})
                                   : SocketPlacement{}});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<GalSession>(); };
    return e;
}

} // namespace quarvin
