#include "families/p22v10/P22v10Family.h"
#include "families/placement/SocketPlacement.h"

#include "families/p22v10/P22v10Session.h"

namespace quarvin {

FamilyEntry P22v10Family() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<P22v10Dialog>(ctx); };
    // Size: the fuses of the device's JEDEC map.
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const P22v10Row& r : kP22v10Rows)
            rows.push_back({r.name, r.chip ? p22v10::kJedecFuses : 0, r.vppMillivolts, r.chip ? r.chip : "",
                            r.chip ? BottomAligned(PackagePinsOfVcc(r.vccPin), {r.vccPin}, {kSocketRowPins}, {r.vppPin})
                                   : SocketPlacement{}});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<P22v10Session>(); };
    return e;
}

} // namespace quarvin
