#pragma once
// The 24Cxx dialog (form class "TP24c0x", caption "P24"): Read, Programe and
// Verify over the whole device, with the write-cycle wait in "Pro time".
#include "families/framework/SerialMemoryDialog.h"
#include "families/i2c_eeprom/I2cOperations.h"

namespace quarvin {

class I2cDialog : public SerialMemoryDialog {
public:
    static constexpr const char* kFormClass = "TP24c0x";

    explicit I2cDialog(DeviceContext& ctx);

    const I2cRow& row() const;

protected:
    std::uint32_t lastBufferAddress() const override { return row().lastAddress; }
    OperationResult run(SerialStep step, const OperationHooks& hooks) override;
};

} // namespace quarvin
