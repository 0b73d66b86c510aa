#include "families/sram/SramDialog.h"

#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

constexpr int kGroundPin = 20;

MemoryForm SramForm() {
    MemoryForm f;
    f.deviceStartLabel = QV_TEXT("Dvice start");
    f.programCaption = QV_TEXT("Write");
    f.blankButton = false;
    f.idButton = false;
    f.options.clear();
    f.buttons = {{"Button3", "Test", MemoryStep::Test}};
    f.autoBoxes = {
        {"CheckBox3", "Write", true, MemoryStep::Program, 60},
        {"CheckBox4", "Verify", true, MemoryStep::Verify, 60},
    };
    return f;
}

} // namespace

SramDialog::SramDialog(DeviceContext& ctx) : MemoryDialog(ctx, kFormClass, QV_TEXT("Dallas RAM"), SramForm()) {}

const SramRow& SramDialog::row() const {
    return kSramRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kSramRows.size())))];
}

SramJob SramDialog::job(const OperationHooks& hooks) { return SramJob{link(), row(), buffer(), fields(), hooks}; }

void SramDialog::afterStart() {
    ShutDownSocket(link());
    SetBusMode(link(), 0);
    ConnectGround(link(), kGroundPin);
}

OperationResult SramDialog::readDevice(const OperationHooks& hooks) { return ReadSram(job(hooks)); }
OperationResult SramDialog::blankCheck(const OperationHooks&) {
    return OperationResult::refused("The static RAM tester has no blank check");
}
OperationResult SramDialog::program(const OperationHooks& hooks) { return WriteSram(job(hooks)); }
OperationResult SramDialog::verify(const OperationHooks& hooks) { return VerifySram(job(hooks)); }
OperationResult SramDialog::sum(const OperationHooks& hooks) { return SumSram(job(hooks)); }
OperationResult SramDialog::test(const OperationHooks& hooks) { return TestSram(job(hooks)); }

} // namespace quarvin
