#include "families/avr90s/Avr90sFamily.h"
#include "families/placement/SocketPlacement.h"

#include "families/avr90s/Avr90sSession.h"

namespace quarvin {

FamilyEntry Avr90sFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<Avr90sDialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const Avr90sRow& r : kAvr90sRows)
            rows.push_back({r.name, r.chip ? r.lastByteAddress + 1 : 0, static_cast<int>(r.vppMillivolts),
                            r.chip ? r.chip : "",
                            r.chip ? BottomAligned(PackagePinsOfVcc(r.vccPin), {r.vccPin}, {kSocketRowPins}, {r.vppPin})
                                   : SocketPlacement{}});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<Avr90sSession>(); };
    return e;
}

} // namespace quarvin
