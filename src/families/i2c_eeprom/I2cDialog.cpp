#include "families/i2c_eeprom/I2cDialog.h"

namespace quarvin {

I2cDialog::I2cDialog(DeviceContext& ctx)
    : SerialMemoryDialog(ctx, kFormClass, "P24",
                         {{SerialStep::Read, SerialStep::Program, SerialStep::Verify}, false, "Link Bad", true}) {}

const I2cRow& I2cDialog::row() const {
    return kI2cRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kI2cRows.size())))];
}

OperationResult I2cDialog::run(SerialStep step, const OperationHooks& hooks) {
    const I2cJob job{link(), row(), buffer(), hooks, writeWaitMilliseconds(), changedOnly()};
    switch (step) {
    case SerialStep::Read: return ReadI2c(job);
    case SerialStep::Program: return ProgramI2c(job);
    case SerialStep::Verify: return VerifyI2c(job);
    case SerialStep::Erase:
    case SerialStep::Blank: break;
    }
    return OperationResult::refused("The 24Cxx dialog has no such operation");
}

} // namespace quarvin
