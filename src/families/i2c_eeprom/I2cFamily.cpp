#include "families/i2c_eeprom/I2cFamily.h"
#include "families/placement/SocketPlacement.h"

#include "families/i2c_eeprom/I2cSession.h"

namespace quarvin {

FamilyEntry I2cFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<I2cDialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        // The 8-pin part sits bottom-aligned.
        constexpr int kPackagePins = 8;
        for (const I2cRow& r : kI2cRows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, 0, r.chip ? r.chip : "",
                            r.chip ? BottomAligned(kPackagePins, {r.vcc}, {r.ground}) : SocketPlacement{}});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<I2cSession>(); };
    return e;
}

} // namespace quarvin
