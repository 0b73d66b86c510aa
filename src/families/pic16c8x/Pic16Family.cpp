#include "families/pic16c8x/Pic16Family.h"
#include "families/placement/SocketPlacement.h"

#include "families/pic16c8x/Pic16Session.h"

namespace quarvin {

namespace {
constexpr int kProgrammingMillivolts = 12700;
} // namespace

namespace {

SocketPlacement PlacementOf(const Pic16Row& r) {
    const Pic16Package package = PackageOf(r);
    const int pins = package == Pic16Package::Dip18 ? 18
                   : package == Pic16Package::Dip28 ? 28
                   : package == Pic16Package::Dip40 ? 40
                                                    : 0;
    // MCLR takes the programming voltage.
    return BottomAligned(pins, {r.vccPin}, {r.groundPin}, {r.mclrPin});
}

} // namespace

FamilyEntry Pic16Family() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<Pic16Dialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const Pic16Row& r : kPic16Rows)
            rows.push_back({r.name, r.chip ? r.lastByteAddress + 1 : 0, r.chip ? kProgrammingMillivolts : 0,
                            r.chip ? r.chip : "", PlacementOf(r)});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<Pic16Session>(); };
    return e;
}

} // namespace quarvin
