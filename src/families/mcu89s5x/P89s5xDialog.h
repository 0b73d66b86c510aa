#pragma once
// The AT89S5x dialog: the 89C5x form's buttons, "Run item" chain, "Protect
// mode" and "Speed", running the AT89S5x parallel-mode operations.
#include "families/framework/McuDialog.h"
#include "families/mcu89s5x/P89s5xOperations.h"

namespace quarvin {

class P89s5xDialog : public McuDialog {
public:
    static constexpr const char* kFormClass = "TAt89s5x1";
    explicit P89s5xDialog(DeviceContext& ctx);

protected:
    std::uint32_t rowLastAddress() const override { return row().lastAddress; }
    OperationResult run(McuStep step, const OperationHooks& hooks) override;
    std::optional<OperationResult> beforeChain() override;
    void afterStart() override;

private:
    const P89s5xRow& row() const;
    int itemOf(const char* group);
};

} // namespace quarvin
