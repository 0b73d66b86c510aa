#include "families/mcu89c5x/P89c5xDialog.h"

#include <algorithm>

#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

constexpr int kProgrammingMillivolts = 12000;

} // namespace

McuForm P89c5xForm() {
    McuForm f;
    f.buttons = {
        {"Erase", "Erase", McuStep::Erase},     {"Blank", "Blank", McuStep::Blank},
        {"Write", "Programe", McuStep::Program}, {"Verify", "Verify", McuStep::Verify},
        {"Read1", "Read", McuStep::Read},       {"Secrity", "Protect", McuStep::Protect},
        {"ID", "ID", McuStep::Id},
    };
    f.runBoxes = {
        {"CheckBox1", "Erase", true, McuStep::Erase},     {"CheckBox2", "Blank", true, McuStep::Blank},
        {"CheckBox3", "Programe", true, McuStep::Program}, {"CheckBox4", "Verify", true, McuStep::Verify},
        {"CheckBox5", "Protect", true, McuStep::Protect},
    };
    f.runGroupCaption = QV_TEXT("Run item");
    f.runButtonCaption = QV_TEXT("Run");
    f.options = {
        {"RadioGroup1", QV_TEXT("Protect mode"), {QV_TEXT("1 No MOVC   "), QV_TEXT("2 + No read "), QV_TEXT("3 + No ext-code ")}, 1},
        {"RadioGroup2", "Speed", {QV_TEXT("1ms"), QV_TEXT("2ms"), QV_TEXT("3ms")}, 0},
    };
    f.notConnectedText = "通讯失败!";
    return f;
}

P89c5xDialog::P89c5xDialog(DeviceContext& ctx) : McuDialog(ctx, kFormClass, QV_TEXT("AT89,AT87..."), P89c5xForm()) {
    // Enabled by the start for the rows that can be erased.
    control("Erase").setEnabled(false);
}

const P89c5xRow& P89c5xDialog::row() const {
    return kP89c5xRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kP89c5xRows.size())))];
}

void P89c5xDialog::afterStart() {
    control("Erase").setEnabled(!row().otp);
    control("CheckBox1").setEnabled(!row().otp);
    SetVppLevel(link(), kProgrammingMillivolts);
}

std::optional<OperationResult> P89c5xDialog::beforeChain() {
    return CheckP89c5xPresence(link());
}

int P89c5xDialog::itemOf(const char* group) {
    // Three items each; no item chosen counts as the first.
    return std::clamp(control(group).itemIndex(), 0, 2);
}

OperationResult P89c5xDialog::run(McuStep step, const OperationHooks& hooks) {
    if (row().chip == nullptr) return OperationResult::refused("No device type selected");
    const P89c5xJob job{link(), row(), buffer(), range(), hooks, prompts(), ctx_.selection.expectedSignature};
    switch (step) {
    case McuStep::Read: return ReadP89c5x(job);
    case McuStep::Erase: return EraseP89c5x(job);
    case McuStep::Blank: return BlankP89c5x(job);
    case McuStep::Verify: return VerifyP89c5x(job);
    case McuStep::Program: return ProgramP89c5x(job, static_cast<ProgramSpeed>(itemOf("RadioGroup2")));
    case McuStep::Protect: return ProtectP89c5x(job, static_cast<ProtectMode>(itemOf("RadioGroup1")));
    case McuStep::ReadFuse:
    case McuStep::WriteFuse: break; // no such buttons on this form
    case McuStep::Id: {
        OperationResult r = IdP89c5x(job);
        if (r.ok()) readSignature_ = {static_cast<std::uint8_t>(r.value >> 16), static_cast<std::uint8_t>(r.value >> 8),
                                      static_cast<std::uint8_t>(r.value)};
        return r;
    }
    }
    return OperationResult::refused("Unknown operation");
}

} // namespace quarvin
