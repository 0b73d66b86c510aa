#pragma once
// The 40-pin 8051 flash dialog ("AT89,AT87..."): the operation buttons, the
// "Run item" chain, "Protect mode" and "Speed".
#include "families/framework/McuDialog.h"
#include "families/mcu89c5x/P89c5xOperations.h"

namespace quarvin {

// The form's buttons, "Run item" boxes and option groups; the AT89S5x dialog
// has the same.
McuForm P89c5xForm();

class P89c5xDialog : public McuDialog {
public:
    static constexpr const char* kFormClass = "TP89c5x";
    explicit P89c5xDialog(DeviceContext& ctx);

    // The signature bytes the last ID or signature check read.
    const std::array<std::uint8_t, 3>& readSignature() const { return readSignature_; }

protected:
    std::uint32_t rowLastAddress() const override { return row().lastAddress; }
    OperationResult run(McuStep step, const OperationHooks& hooks) override;
    std::optional<OperationResult> beforeChain() override;
    void afterStart() override;

private:
    const P89c5xRow& row() const;
    int itemOf(const char* group);

    std::array<std::uint8_t, 3> readSignature_{};
};

} // namespace quarvin
