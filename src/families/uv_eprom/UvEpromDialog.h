#pragma once
// The UV EPROM dialog (form class "TP27x"): 2716 to 27080 with three programming
// voltages for the older types. The pattern form of the memory families.
#include "families/framework/MemoryDialog.h"
#include "families/uv_eprom/EpromOperations.h"

namespace quarvin {

class UvEpromDialog : public MemoryDialog {
public:
    static constexpr const char* kFormClass = "TP27x";

    explicit UvEpromDialog(DeviceContext& ctx);

    const EpromRow& row() const;

protected:
    std::uint32_t lastAddress() const override { return row().lastAddress; }
    OperationResult readDevice(const OperationHooks& hooks) override;
    OperationResult blankCheck(const OperationHooks& hooks) override;
    OperationResult program(const OperationHooks& hooks) override;
    OperationResult verify(const OperationHooks& hooks) override;
    OperationResult sum(const OperationHooks& hooks) override;

private:
    EpromJob job(const OperationHooks& hooks);
};

} // namespace quarvin
