#include "families/eeprom2816/P2816Dialog.h"

#include <algorithm>

#include "families/eeprom28c/E28Dialog.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

MemoryForm P2816Form() {
    MemoryForm f = E28Form();
    const auto protection = [](MemoryStep step) { return step == MemoryStep::Protect || step == MemoryStep::Unprotect; };
    std::erase_if(f.buttons, [&](const auto& b) { return protection(b.step); });
    std::erase_if(f.autoBoxes, [&](const auto& b) { return protection(b.step); });
    return f;
}

} // namespace

double P2816WriteWait(int speedIndex) { return kP2816WriteCycleMicroseconds * (std::clamp(speedIndex, 0, 2) + 1); }

P2816Dialog::P2816Dialog(DeviceContext& ctx) : MemoryDialog(ctx, kFormClass, QV_TEXT("P2816"), P2816Form()) {}

const P2816Row& P2816Dialog::row() const {
    return kP2816Rows[static_cast<std::size_t>(selectedRow(static_cast<int>(kP2816Rows.size())))];
}

P2816Job P2816Dialog::job(const OperationHooks& hooks) { return P2816Job{link(), row(), buffer(), fields(), hooks}; }

double P2816Dialog::writeWaitMicroseconds() { return P2816WriteWait(control("Speed").itemIndex()); }

void P2816Dialog::afterStart() {
    ShutDownSocket(link());
    ReleaseReadyBusyPin(link());
}

OperationResult P2816Dialog::readDevice(const OperationHooks& hooks) { return ReadP2816(job(hooks)); }
OperationResult P2816Dialog::blankCheck(const OperationHooks& hooks) { return BlankCheckP2816(job(hooks)); }
OperationResult P2816Dialog::program(const OperationHooks& hooks) {
    return ProgramP2816(job(hooks), writeWaitMicroseconds());
}
OperationResult P2816Dialog::verify(const OperationHooks& hooks) { return VerifyP2816(job(hooks)); }
OperationResult P2816Dialog::sum(const OperationHooks& hooks) { return SumP2816(job(hooks)); }
OperationResult P2816Dialog::erase(const OperationHooks& hooks) { return EraseP2816(job(hooks), writeWaitMicroseconds()); }

} // namespace quarvin
