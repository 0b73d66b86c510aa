#pragma once
// The 28F bulk-erase flash family as the registry and the command line know it.
#include "families/flash28f/F28Dialog.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/MemorySession.h"

namespace quarvin {

class F28Session : public MemorySession {
public:
    F28Session();
    std::uint32_t lastAddress(int subType) const override;
    // As the dialog's start: reset socket, Vpp at 0, socket shut down.
    void start(LinkState& link) override;

protected:
    OperationResult runStep(MemoryStep step, const SessionJob& job) override;
};

FamilyEntry F28Family();

} // namespace quarvin
