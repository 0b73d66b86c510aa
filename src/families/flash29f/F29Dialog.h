#pragma once
// The 29F flash dialog (form class "TP29fxxx"): chip erase with status polling,
// byte programming through the box's flash command, and "Unprot".
#include "families/framework/MemoryDialog.h"
#include "families/flash29f/F29Operations.h"

namespace quarvin {

// The form: the flash pattern with "Auto pro", Erase and "Unprot".
MemoryForm F29Form();

class F29Dialog : public MemoryDialog {
public:
    static constexpr const char* kFormClass = "TP29fxxx";

    explicit F29Dialog(DeviceContext& ctx);
    const F29Row& row() const;

    void UnProtectChipClick() { StepClick(MemoryStep::Unprotect); }
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
    OperationResult unprotect(const OperationHooks& hooks) override;

private:
    F29Job job(const OperationHooks& hooks);
};

} // namespace quarvin
