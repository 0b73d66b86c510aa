#include "families/w27e/W27eDialog.h"

#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

MemoryForm W27eForm() {
    MemoryForm f;
    f.idCaption = QV_TEXT("ID");
    f.idLabel = "ID";
    f.options.clear();
    f.buttons = {{"Erase", "Erase", MemoryStep::Erase}};
    f.autoBoxes = {
        {"CheckBox1", "Erase", false, MemoryStep::Erase, 76},
        {"CheckBox2", QV_TEXT("Balnk"), true, MemoryStep::Blank, 66},
        {"CheckBox3", "Programe", true, MemoryStep::Program, 76},
        {"CheckBox4", "Verify", false, MemoryStep::Verify, 66},
    };
    return f;
}

} // namespace

W27eDialog::W27eDialog(DeviceContext& ctx) : MemoryDialog(ctx, kFormClass, "PW27", W27eForm()) {}

const W27eRow& W27eDialog::row() const {
    return kW27eRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kW27eRows.size())))];
}

W27eJob W27eDialog::job(const OperationHooks& hooks) { return W27eJob{link(), row(), buffer(), fields(), hooks}; }

void W27eDialog::afterStart() { ShutDownSocket(link()); }

OperationResult W27eDialog::readDevice(const OperationHooks& hooks) { return ReadW27e(job(hooks)); }
OperationResult W27eDialog::blankCheck(const OperationHooks& hooks) { return BlankCheckW27e(job(hooks)); }
OperationResult W27eDialog::program(const OperationHooks& hooks) { return ProgramW27e(job(hooks)); }
OperationResult W27eDialog::verify(const OperationHooks& hooks) { return VerifyW27e(job(hooks)); }
OperationResult W27eDialog::sum(const OperationHooks& hooks) { return SumW27e(job(hooks)); }
OperationResult W27eDialog::erase(const OperationHooks& hooks) { return EraseW27e(job(hooks)); }

} // namespace quarvin
