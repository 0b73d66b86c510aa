#pragma once
// The 28C EEPROM dialog (form class "TP28cx"): page writes, software data
// protection on ("Protect") and off ("Unprot"), chip erase, and address fields
// aligned to the row's pages.
#include "families/framework/MemoryDialog.h"
#include "families/eeprom28c/E28Operations.h"

namespace quarvin {

// The 28C form: its buttons, "Programe time" and the Auto boxes.
MemoryForm E28Form();

class E28Dialog : public MemoryDialog {
public:
    static constexpr const char* kFormClass = "TP28cx";

    explicit E28Dialog(DeviceContext& ctx);
    const E28Row& row() const;

    void ProtectClick() { StepClick(MemoryStep::Protect); }
    void UnprotectClick() { StepClick(MemoryStep::Unprotect); }
    void EraseClick() { StepClick(MemoryStep::Erase); }
    void Button2Click() { CheckSumClick(); }

protected:
    std::uint32_t lastAddress() const override { return row().lastAddress; }
    std::string notConnectedText() const override { return "No connected"; }
    std::string deviceText() const override { return ctx_.selection.typeName; }
    void afterStart() override;
    void alignFields(AddressFields& fields) const override { AlignE28Fields(row(), fields); }
    OperationResult readDevice(const OperationHooks& hooks) override;
    OperationResult blankCheck(const OperationHooks& hooks) override;
    OperationResult program(const OperationHooks& hooks) override;
    OperationResult verify(const OperationHooks& hooks) override;
    OperationResult sum(const OperationHooks& hooks) override;
    OperationResult erase(const OperationHooks& hooks) override;
    OperationResult protect(const OperationHooks& hooks) override;
    OperationResult unprotect(const OperationHooks& hooks) override;

private:
    E28Job job(const OperationHooks& hooks);
};

} // namespace quarvin
