#include "families/microwire_eeprom/MicrowireDialog.h"
#include "forms/Texts.h"

namespace quarvin {

MicrowireDialog::MicrowireDialog(DeviceContext& ctx)
    : SerialMemoryDialog(ctx, kFormClass, QV_TEXT("P93c x 8 & x16"),
                         {{SerialStep::Read, SerialStep::Erase, SerialStep::Blank, SerialStep::Program, SerialStep::Verify},
                          true,
                          QV_TEXT("RS232 Bad!"),
                          true}) {}

const MicrowireRow& MicrowireDialog::row() const {
    return kMicrowireRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kMicrowireRows.size())))];
}

OperationResult MicrowireDialog::run(SerialStep step, const OperationHooks& hooks) {
    const MicrowireJob job{link(), row(), buffer(), hooks, writeWaitMilliseconds(), changedOnly()};
    switch (step) {
    case SerialStep::Read: return ReadMicrowire(job);
    case SerialStep::Erase: return EraseMicrowire(job);
    case SerialStep::Blank: return BlankMicrowire(job);
    case SerialStep::Program: return ProgramMicrowire(job);
    case SerialStep::Verify: return VerifyMicrowire(job);
    }
    return OperationResult::refused("The 93Cxx dialog has no such operation");
}

} // namespace quarvin
