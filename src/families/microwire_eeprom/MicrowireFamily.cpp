#include "families/microwire_eeprom/MicrowireFamily.h"
#include "families/placement/SocketPlacement.h"

#include "families/microwire_eeprom/MicrowireSession.h"

namespace quarvin {

FamilyEntry MicrowireFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> {
        return std::make_unique<MicrowireDialog>(ctx);
    };
    // Size in bytes: what the part's cells and its chip image hold.
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        constexpr int kPackagePins = 8;
        for (const MicrowireRow& r : kMicrowireRows)
            rows.push_back({r.name, r.chip ? r.lastBufferAddress() + 1 : 0, 0, r.chip ? r.chip : "",
                            r.chip ? BottomAligned(kPackagePins, {pin::microwire::Supply}, {pin::microwire::Ground})
                                   : SocketPlacement{}});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<MicrowireSession>(); };
    return e;
}

} // namespace quarvin
