#include "families/mcu89s5x/P89s5xDialog.h"

#include <algorithm>

#include "families/mcu89c5x/P89c5xDialog.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {
// "VPP Programming Supply Voltage 11.5 - 12.5 V" (parallel mode).
constexpr int kProgrammingMillivolts = 12000;
} // namespace

P89s5xDialog::P89s5xDialog(DeviceContext& ctx) : McuDialog(ctx, kFormClass, QV_TEXT("AT89S5x..."), P89c5xForm()) {}

const P89s5xRow& P89s5xDialog::row() const {
    return kP89s5xRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kP89s5xRows.size())))];
}

void P89s5xDialog::afterStart() { SetVppLevel(link(), kProgrammingMillivolts); }

std::optional<OperationResult> P89s5xDialog::beforeChain() { return CheckP89s5xPresence(link()); }

int P89s5xDialog::itemOf(const char* group) { return std::clamp(control(group).itemIndex(), 0, 2); }

OperationResult P89s5xDialog::run(McuStep step, const OperationHooks& hooks) {
    if (row().chip == nullptr) return OperationResult::refused("No device type selected");
    const P89s5xJob job{link(), row(), buffer(), range(), hooks, prompts(), ctx_.selection.expectedSignature};
    switch (step) {
    case McuStep::Read: return ReadP89s5x(job);
    case McuStep::Erase: return EraseP89s5x(job);
    case McuStep::Blank: return BlankP89s5x(job);
    case McuStep::Verify: return VerifyP89s5x(job);
    case McuStep::Program: return ProgramP89s5x(job, static_cast<ProgramSpeed>(itemOf("RadioGroup2")));
    case McuStep::Protect: return ProtectP89s5x(job, static_cast<ProtectMode>(itemOf("RadioGroup1")));
    case McuStep::Id: return IdP89s5x(job);
    case McuStep::ReadFuse:
    case McuStep::WriteFuse: break; // no such buttons on this form
    }
    return OperationResult::refused("Unknown operation");
}

} // namespace quarvin
