#pragma once
// The static RAM tester (form class "TDsRAM", caption "Dallas RAM"): read,
// write, verify and sum byte-wide static RAMs, battery-backed ones included,
// and the write-and-sum test. The memory dialog anatomy without Blank and Read
// MFG, with the "Test" button.
#include "families/framework/MemoryDialog.h"
#include "families/sram/SramOperations.h"

namespace quarvin {

class SramDialog : public MemoryDialog {
public:
    static constexpr const char* kFormClass = "TDsRAM";

    explicit SramDialog(DeviceContext& ctx);
    const SramRow& row() const;

    void Button3Click() { StepClick(MemoryStep::Test); }

protected:
    std::uint32_t lastAddress() const override { return row().lastAddress; }
    std::string notConnectedText() const override { return "No Programmer!"; }
    std::string deviceText() const override { return ctx_.selection.typeName; }
    void afterStart() override;
    void shutDownSocket() override { ShutDownSram(link(), row()); }
    OperationResult readDevice(const OperationHooks& hooks) override;
    OperationResult blankCheck(const OperationHooks& hooks) override;
    OperationResult program(const OperationHooks& hooks) override;
    OperationResult verify(const OperationHooks& hooks) override;
    OperationResult sum(const OperationHooks& hooks) override;
    OperationResult test(const OperationHooks& hooks) override;

private:
    SramJob job(const OperationHooks& hooks);
};

} // namespace quarvin
