#include "families/mcu89c5x/P89c5xFamily.h"
#include "families/mcu89c5x/P89c5xPins.h"
#include "families/placement/SocketPlacement.h"

#include "families/mcu89c5x/P89c5xSession.h"

namespace quarvin {

namespace {
constexpr int kProgrammingMillivolts = 12000;
} // namespace

FamilyEntry P89c5xFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> {
        return std::make_unique<P89c5xDialog>(ctx);
    };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        constexpr int kPackagePins = 40;
        for (const P89c5xRow& r : kP89c5xRows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, r.chip ? kProgrammingMillivolts : 0,
                            r.chip ? r.chip : "",
                            r.chip ? BottomAligned(kPackagePins, {p89pin::Vcc}, {p89pin::Ground}, {p89pin::EaVpp})
                                   : SocketPlacement{}});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<P89c5xSession>(); };
    return e;
}

} // namespace quarvin
