#pragma once
// The 28F bulk-erase flash dialog (form class "TPi28fxxx"): Read, Blank, Erase,
// Programe, Verify, ID and Auto; no Sum and no programming options.
#include "families/flash28f/F28Operations.h"
#include "families/framework/MemoryDialog.h"

namespace quarvin {

class F28Dialog : public MemoryDialog {
public:
    static constexpr const char* kFormClass = "TPi28fxxx";

    explicit F28Dialog(DeviceContext& ctx);
    const F28Row& row() const;

    void EraseClick() { StepClick(MemoryStep::Erase); }

protected:
    std::uint32_t lastAddress() const override { return row().lastAddress; }
    void afterStart() override;
    OperationResult readDevice(const OperationHooks& hooks) override;
    OperationResult blankCheck(const OperationHooks& hooks) override;
    OperationResult program(const OperationHooks& hooks) override;
    OperationResult verify(const OperationHooks& hooks) override;
    OperationResult sum(const OperationHooks& hooks) override;
    OperationResult erase(const OperationHooks& hooks) override;

private:
    F28Job job(const OperationHooks& hooks);
};

} // namespace quarvin
