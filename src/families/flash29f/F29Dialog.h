#pragma once
// The 29F flash dialog (form class "TP29fxxx"): chip erase with status polling,
// byte programming through the box's flash command, and "Unprot".
#include "families/framework/RowDialog.h"
#include "families/flash29f/F29Operations.h"

namespace quarvin {

// The form: the flash pattern with "Auto pro", Erase and "Unprot".
MemoryForm F29Form();

class F29Dialog : public RowDialog<F29Row, F29Job> {
public:
    static constexpr const char* kFormClass = "TP29fxxx";

    explicit F29Dialog(DeviceContext& ctx);

    void UnProtectChipClick() { StepClick(MemoryStep::Unprotect); }
    void EraseClick() { StepClick(MemoryStep::Erase); }

protected:
    void afterStart() override;
    OperationResult readDevice(const OperationHooks& hooks) override;
    OperationResult blankCheck(const OperationHooks& hooks) override;
    OperationResult program(const OperationHooks& hooks) override;
    OperationResult verify(const OperationHooks& hooks) override;
    OperationResult sum(const OperationHooks& hooks) override;
    OperationResult erase(const OperationHooks& hooks) override;
    OperationResult unprotect(const OperationHooks& hooks) override;
};

} // namespace quarvin
