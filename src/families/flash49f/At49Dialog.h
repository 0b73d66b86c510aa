#pragma once
// The AT49F flash dialog (form class "TAt49fx"): the 29F dialog's form without
// "Unprot" (the boot block lockout is permanent: nothing lifts it), the 29F
// operations and the family's own chip erase.
#include "families/flash29f/F29Operations.h"
#include "families/framework/MemoryDialog.h"

namespace quarvin {

class At49Dialog : public MemoryDialog {
public:
    static constexpr const char* kFormClass = "TAt49fx";

    explicit At49Dialog(DeviceContext& ctx);
    const F29Row& row() const;

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
    F29Job job(const OperationHooks& hooks);
};

} // namespace quarvin
