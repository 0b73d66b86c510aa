#include "families/uv_eprom/UvEpromFamily.h"
#include "families/placement/SocketPlacement.h"

#include "families/uv_eprom/UvEpromSession.h"

namespace quarvin {

FamilyEntry UvEpromFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> {
        return std::make_unique<UvEpromDialog>(ctx);
    };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const EpromRow& r : kEpromRows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, r.vppMillivolts, r.chip ? r.chip : "",
                          BottomAlignedBySupply(r.supplyPin, {r.vppPin})});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<UvEpromSession>(); };
    return e;
}

} // namespace quarvin
