#include "families/mcu2051/P2051Family.h"
#include "families/mcu2051/P2051Pins.h"
#include "families/placement/SocketPlacement.h"

#include "families/mcu2051/P2051Session.h"

namespace quarvin {

namespace {
constexpr int kProgrammingMillivolts = 12000;
} // namespace

FamilyEntry P2051Family() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<P2051Dialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        constexpr int kPackagePins = 20;
        for (const P2051Row& r : kP2051Rows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, r.chip ? kProgrammingMillivolts : 0,
                            r.chip ? r.chip : "",
                            r.chip ? BottomAligned(kPackagePins, {p2051pin::Vcc}, {p2051pin::Ground}, {p2051pin::RstVpp})
                                   : SocketPlacement{}});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<P2051Session>(); };
    return e;
}

} // namespace quarvin
