#include "families/p16f87xa/P16f87xaFamily.h"

#include "families/pic16c8x/Pic16Family.h"

namespace quarvin {

FamilyEntry P16f87xaFamily() {
    // "13V ± 0.5V" (DS39589B section 1.1).
    constexpr int kProgrammingMillivolts = 13000;
    return Pic16FamilyEntry(kP16f87xaProfile, kProgrammingMillivolts,
                            [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> {
                                return std::make_unique<P16f87xaDialog>(ctx);
                            });
}

} // namespace quarvin
