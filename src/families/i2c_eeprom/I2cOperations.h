#pragma once
// The 24Cxx operations as functions of the link, the row, the buffer and the
// hooks; the dialog and the command line both call these. Every operation
// covers the whole device, device address a at buffer offset a.
#include "families/framework/Operation.h"
#include "families/i2c_eeprom/I2cRows.h"
#include "forms/Texts.h"

namespace quarvin {

struct I2cJob {
    LinkState& link;
    const I2cRow& row;
    MainBuffer& buffer;
    const OperationHooks& hooks;
    int writeWaitMilliseconds = 5; // "Pro time"
};

OperationResult ReadI2c(const I2cJob& job);
// Writes every byte, switches the part off and on again and verifies.
OperationResult ProgramI2c(const I2cJob& job);
OperationResult VerifyI2c(const I2cJob& job);

inline constexpr const char* kI2cVerifyBad = QV_TEXT("Verify Bad!！");

} // namespace quarvin
