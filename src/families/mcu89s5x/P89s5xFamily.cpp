#include "families/mcu89s5x/P89s5xFamily.h"

#include "families/mcu89s5x/P89s5xPins.h"
#include "families/mcu89s5x/P89s5xSession.h"
#include "families/placement/SocketPlacement.h"

namespace quarvin {

namespace {
constexpr int kProgrammingMillivolts = 12000;
constexpr int kPackagePins = 40;
} // namespace

FamilyEntry P89s5xFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> {
        return std::make_unique<P89s5xDialog>(ctx);
    };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const P89s5xRow& r : kP89s5xRows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, r.chip ? kProgrammingMillivolts : 0,
                            r.chip ? r.chip : "",
                            r.chip ? BottomAligned(kPackagePins, {p89spin::Vcc}, {p89spin::Ground}, {p89spin::EaVpp})
                                   : SocketPlacement{}});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<P89s5xSession>(); };
    return e;
}

} // namespace quarvin
