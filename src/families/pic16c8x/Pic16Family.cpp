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

FamilyEntry Pic16FamilyEntry(const Pic16Profile& profile, int programmingMillivolts,
                             decltype(FamilyEntry::makeDialog) makeDialog) {
    FamilyEntry e;
    e.makeDialog = std::move(makeDialog);
    e.subTypes = [&profile, programmingMillivolts] {
        std::vector<SubTypeSummary> rows;
        for (const Pic16Row& r : profile.rows)
            rows.push_back({r.name, r.chip ? r.lastByteAddress + 1 : 0, r.chip ? programmingMillivolts : 0,
                            r.chip ? r.chip : "", PlacementOf(r)});
        return rows;
    };
    e.makeSession = [&profile] { return std::make_unique<Pic16Session>(profile); };
    return e;
}

FamilyEntry Pic16Family() {
    return Pic16FamilyEntry(kPic16Profile, kProgrammingMillivolts, [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> {
        return std::make_unique<Pic16Dialog>(ctx);
    });
}

} // namespace quarvin
