#pragma once
// The 28F bulk-erase flash dialog (form class "TPi28fxxx"): Read, Blank, Erase,
// Programe, Verify, ID and Auto; no Sum and no programming options.
#include "families/flash28f/F28Operations.h"
#include "families/framework/RowDialog.h"

namespace quarvin {

class F28Dialog : public RowDialog<F28Row, F28Job> {
public:
    static constexpr const char* kFormClass = "TPi28fxxx";

    explicit F28Dialog(DeviceContext& ctx);

    void EraseClick() { StepClick(MemoryStep::Erase); }

protected:
    void afterStart() override;
    OperationResult readDevice(const OperationHooks& hooks) override;
    OperationResult blankCheck(const OperationHooks& hooks) override;
    OperationResult program(const OperationHooks& hooks) override;
    OperationResult verify(const OperationHooks& hooks) override;
    OperationResult sum(const OperationHooks& hooks) override;
    OperationResult erase(const OperationHooks& hooks) override;
};

} // namespace quarvin
