#include "families/mcu2051/P2051Dialog.h"

#include "link/commands/LinkOps.h"
#include "platform/Platform.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

constexpr int kProgrammingMillivolts = 12000;

McuForm P2051Form() {
    McuForm f;
    f.buttons = {
        {"ID", "", McuStep::Id},                 {"Read1", "Read", McuStep::Read},
        {"Erase", "Erase", McuStep::Erase},       {"Blank", "Blank", McuStep::Blank},
        {"Write", "Programe", McuStep::Program},  {"Verify", "Verify", McuStep::Verify},
        {"Secrity", QV_TEXT("Secrity"), McuStep::Protect},
    };
    f.runBoxes = {
        {"CheckBox1", "Erase", false, McuStep::Erase},     {"CheckBox2", "Blank", false, McuStep::Blank},
        {"CheckBox3", "Programe", true, McuStep::Program}, {"CheckBox4", "Verify", true, McuStep::Verify},
        {"CheckBox5", "Secrity", false, McuStep::Protect},
    };
    f.runGroupCaption = "Auto Pro";
    f.runButtonCaption = "Auto";
    f.options = {{"RadioGroup1", QV_TEXT("Sec Mode"), {QV_TEXT("1:No Programe"), QV_TEXT("2:No Pro+No Read")}, 1}};
    f.exitButton = true;
    f.notConnectedText = "Communication error!";
    return f;
}

} // namespace

P2051Dialog::P2051Dialog(DeviceContext& ctx) : McuDialog(ctx, kFormClass, QV_TEXT("P205x"), P2051Form()) {}

const P2051Row& P2051Dialog::row() const {
    return kP2051Rows[static_cast<std::size_t>(selectedRow(static_cast<int>(kP2051Rows.size())))];
}

void P2051Dialog::afterStart() {
    SetVppLevel(link(), kProgrammingMillivolts);
    // The chip stays powered, reset high, while the dialog is idle.
    PrepareP2051(link());
}

std::optional<OperationResult> P2051Dialog::fileCheck() {
    if (hasHexWindow()) return std::nullopt;
    if (prompts()) prompts()->message(kNoFileOpenedText);
    return OperationResult::refused(kNoFileOpenedText);
}

std::optional<OperationResult> P2051Dialog::beforeChain() {
    if (auto refusal = CheckP2051Presence(link())) return refusal;
    if (control("CheckBox3").checked()) return fileCheck();
    return std::nullopt;
}

int P2051Dialog::failureFlagOf(McuStep step, const OperationResult& result) const {
    if (result.ok()) return 0;
    if (step == McuStep::Erase && result.outcome == Outcome::Failed) return kEraseFailedFlag;
    return 1;
}

bool P2051Dialog::keepsFlag(McuStep step, const OperationResult& result) const {
    // A lock that checks out leaves the flag as it was.
    return step == McuStep::Protect && result.ok();
}

OperationResult P2051Dialog::run(McuStep step, const OperationHooks& hooks) {
    if (row().chip == nullptr) return OperationResult::refused("No device type selected");
    const P2051Job job{link(), row(), buffer(), hooks, prompts(), hasHexWindow()};
    switch (step) {
    case McuStep::Read: return ReadP2051(job);
    case McuStep::Erase: return EraseP2051(job);
    case McuStep::Blank: return BlankP2051(job);
    case McuStep::Program: return ProgramP2051(job);
    case McuStep::Verify: return VerifyP2051(job);
    case McuStep::Protect: return SecrityP2051(job);
    case McuStep::ReadFuse:
    case McuStep::WriteFuse: break; // no such buttons on this form
    case McuStep::Id: {
        OperationResult r = IdP2051(job);
        readSignature_ = {static_cast<std::uint8_t>(r.value >> 16), static_cast<std::uint8_t>(r.value >> 8),
                          static_cast<std::uint8_t>(r.value)};
        return r;
    }
    }
    return OperationResult::refused("Unknown operation");
}

} // namespace quarvin
