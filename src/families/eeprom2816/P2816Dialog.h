#pragma once
// The 2816A-class EEPROM dialog (form class "TP2816x"): the 28C form without
// "Protect", "Unprot" and the Auto unprotect (these parts have no software data
// protection), byte writes instead of page writes, and an erase that writes FF.
#include "families/eeprom2816/P2816Operations.h"
#include "families/framework/MemoryDialog.h"

namespace quarvin {

class P2816Dialog : public MemoryDialog {
public:
    static constexpr const char* kFormClass = kP2816FormClass;

    explicit P2816Dialog(DeviceContext& ctx);
    const P2816Row& row() const;

    void EraseClick() { StepClick(MemoryStep::Erase); }
    void Button2Click() { CheckSumClick(); }

protected:
    std::uint32_t lastAddress() const override { return row().lastAddress; }
    std::string notConnectedText() const override { return "No connected"; }
    std::string deviceText() const override { return ctx_.selection.typeName; }
    void afterStart() override;
    OperationResult readDevice(const OperationHooks& hooks) override;
    OperationResult blankCheck(const OperationHooks& hooks) override;
    OperationResult program(const OperationHooks& hooks) override;
    OperationResult verify(const OperationHooks& hooks) override;
    OperationResult sum(const OperationHooks& hooks) override;
    OperationResult erase(const OperationHooks& hooks) override;

private:
    P2816Job job(const OperationHooks& hooks);
    double writeWaitMicroseconds();
};

// "Programe time": the wait after each byte, 1 to 3 times the write cycle.
double P2816WriteWait(int speedIndex);

} // namespace quarvin
