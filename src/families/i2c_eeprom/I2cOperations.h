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
    // Program reads the part first and writes only the pages that differ.
    bool changedOnly = false;
};

// What "only changed pages" compares at a time. The loop writes byte by byte,
// so this only sets the grain of the comparison: the page of the 24C04..24C16.
inline constexpr std::uint32_t kI2cChangedPageBytes = 16;

OperationResult ReadI2c(const I2cJob& job);
// Writes every byte, switches the part off and on again and verifies. With
// changedOnly: reads the part first, writes only the pages that differ from
// the buffer, verifies the whole part and notes the pages written and skipped.
OperationResult ProgramI2c(const I2cJob& job);
OperationResult VerifyI2c(const I2cJob& job);

inline constexpr const char* kI2cVerifyBad = QV_TEXT("Verify Bad!！");

} // namespace quarvin
