#include "families/pic16c8x/Pic16Family.h"

#include "families/pic16c8x/Pic16Session.h"

namespace quarvin {

namespace {
constexpr int kProgrammingMillivolts = 12700;
} // namespace

FamilyEntry Pic16Family() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<Pic16Dialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const Pic16Row& r : kPic16Rows)
            rows.push_back({r.name, r.chip ? r.lastByteAddress + 1 : 0, r.chip ? kProgrammingMillivolts : 0,
                            r.chip ? r.chip : ""});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<Pic16Session>(); };
    return e;
}

} // namespace quarvin
