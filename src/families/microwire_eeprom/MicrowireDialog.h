#pragma once
// The 93Cxx dialog (form class "TP93cxx", caption "P93c x 8 & x16"): Read,
// Erase, Blank, Programe, Verify and Auto over the whole device.
#include "families/framework/SerialMemoryDialog.h"
#include "families/microwire_eeprom/MicrowireOperations.h"

namespace quarvin {

class MicrowireDialog : public SerialMemoryDialog {
public:
    static constexpr const char* kFormClass = "TP93cxx";

    explicit MicrowireDialog(DeviceContext& ctx);

    const MicrowireRow& row() const;

protected:
    std::uint32_t lastBufferAddress() const override { return row().lastBufferAddress(); }
    OperationResult run(SerialStep step, const OperationHooks& hooks) override;
};

} // namespace quarvin
