#pragma once
// The 29EE page-write flash dialog (form class "TP29e"): chip erase, software
// data protection on ("Protect") and off ("Unprot"), page writes with a
// read-back every 4 KiB, and address fields aligned to the row's pages.
#include "families/framework/MemoryDialog.h"
#include "families/flash29ee/EE29Operations.h"

namespace quarvin {

// The page-write flash form: Erase, Protect and Unprot, "Pro time" and the Auto
// group "Auto pro" (the AT29C dialogs use it too).
MemoryForm EE29Form();

class EE29Dialog : public MemoryDialog {
public:
    static constexpr const char* kFormClass = "TP29e";

    explicit EE29Dialog(DeviceContext& ctx);
    const EE29Row& row() const;

    void EraseClick() { StepClick(MemoryStep::Erase); }
    void ProtectClick() { StepClick(MemoryStep::Protect); }
    void UnprotectClick() { StepClick(MemoryStep::Unprotect); }
    void Button2Click() { CheckSumClick(); }

protected:
    std::uint32_t lastAddress() const override { return row().lastAddress; }
    std::string notConnectedText() const override { return "没有连接!"; }
    std::string deviceText() const override { return ctx_.selection.typeName; }
    void afterStart() override;
    void alignFields(AddressFields& fields) const override { AlignEE29Fields(row(), fields); }
    OperationResult readDevice(const OperationHooks& hooks) override;
    OperationResult blankCheck(const OperationHooks& hooks) override;
    OperationResult program(const OperationHooks& hooks) override;
    OperationResult verify(const OperationHooks& hooks) override;
    OperationResult sum(const OperationHooks& hooks) override;
    OperationResult erase(const OperationHooks& hooks) override;
    OperationResult protect(const OperationHooks& hooks) override;
    OperationResult unprotect(const OperationHooks& hooks) override;

private:
    EE29Job job(const OperationHooks& hooks);
};

} // namespace quarvin
