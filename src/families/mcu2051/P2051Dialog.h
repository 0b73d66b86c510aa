#pragma once
// The 20-pin 8051 flash dialog ("P205x"): the operation buttons, the "Auto
// Pro" chain and the "Sec Mode" group, which is shown only.
#include <array>

#include "families/framework/McuDialog.h"
#include "families/mcu2051/P2051Operations.h"

namespace quarvin {

class P2051Dialog : public McuDialog {
public:
    static constexpr const char* kFormClass = "TP2051x";
    explicit P2051Dialog(DeviceContext& ctx);

    const std::array<std::uint8_t, 3>& readSignature() const { return readSignature_; }

protected:
    std::uint32_t rowLastAddress() const override { return row().lastAddress; }
    OperationResult run(McuStep step, const OperationHooks& hooks) override;
    std::optional<OperationResult> beforeChain() override;
    void afterStart() override;
    int failureFlagOf(McuStep step, const OperationResult& result) const override;
    bool keepsFlag(McuStep step, const OperationResult& result) const override;

private:
    const P2051Row& row() const;
    // Programme needs a file: without a hex window it says so in a box.
    std::optional<OperationResult> fileCheck();

    std::array<std::uint8_t, 3> readSignature_{};
};

} // namespace quarvin
