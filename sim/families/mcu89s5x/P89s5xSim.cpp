#include "sim/families/mcu89s5x/P89s5xSim.h"

#include "families/mcu89s5x/P89s5xRows.h"
#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/families/mcu89s5x/At89s5xChip.h"
#include "sim/ops/McuDataOps.h"
#include "sim/ops/SocketBus.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TAt89s5x1";
constexpr double kStrobeMicroseconds = 0.5;
} // namespace

SimFamily P89s5xSimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable& table) {
        installMcuDataOps(table);
        table.add(op::StrobeLow, OpcodeSpec::make("strobe pin low", 1, 0, [](Box& box, std::uint8_t, OpArgs a) {
                      if (a[0] >= 1 && a[0] <= 40) SocketBus(box).pulsePin(a[0], false, kStrobeMicroseconds);
                  }));
    };
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kP89s5xRows.size(); ++i) {
            const At89s5xType* type = kP89s5xRows[i].chip ? FindAt89s5xType(kP89s5xRows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back({type->name, kDialogClass, static_cast<int>(i),
                              [type] { return std::make_shared<At89s5xChip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
