#pragma once
// The AT90S parallel programming dialog ("AT90s "): the operation buttons, the
// "Protect Mode" group, the "Fuse" boxes, and the Auto chain.
#include "families/avr90s/Avr90sOperations.h"
#include "families/framework/McuDialog.h"

namespace quarvin {

class Avr90sDialog : public McuDialog {
public:
    static constexpr const char* kFormClass = "TAT90sx";
    explicit Avr90sDialog(DeviceContext& ctx);

    void ReadFuseClick() { StepClick(McuStep::ReadFuse); }
    void WtFuseClick() { StepClick(McuStep::WriteFuse); }

protected:
    std::uint32_t rowLastAddress() const override { return row().lastByteAddress; }
    OperationResult run(McuStep step, const OperationHooks& hooks) override;
    std::optional<OperationResult> beforeChain() override { return std::nullopt; }
    void afterStart() override;

private:
    const Avr90sRow& row() const;
    // The fuse and protect controls as the fuse and lock byte says.
    void showFuseByte(std::uint8_t byte);
};

} // namespace quarvin
