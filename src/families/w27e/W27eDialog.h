#pragma once
// The W27E dialog (form class "TPW27x"): EPROMs that erase in the socket. The
// pattern form with an Erase button and Auto step, "ID" for the code read, and
// no programming option groups: every byte gets one pulse and is checked.
#include "families/framework/MemoryDialog.h"
#include "families/w27e/W27eOperations.h"

namespace quarvin {

class W27eDialog : public MemoryDialog {
public:
    static constexpr const char* kFormClass = "TPW27x";

    explicit W27eDialog(DeviceContext& ctx);

    const W27eRow& row() const;

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
    W27eJob job(const OperationHooks& hooks);
};

} // namespace quarvin
