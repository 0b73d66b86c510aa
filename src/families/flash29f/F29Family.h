#pragma once
// The 29F flash family as the registry and the command line know it.
#include "families/flash29f/F29Dialog.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/MemorySession.h"

namespace quarvin {

class F29Session : public MemorySession {
public:
    F29Session();
    std::uint32_t lastAddress(int subType) const override;
    // As the dialog's start: reset socket, Vpp at 0, socket shut down, bus mode.
    void start(LinkState& link) override;

protected:
    // For a family that runs the 29F steps on its own rows.
    F29Session(std::string family, std::vector<Step> steps, std::vector<MemoryStep> autoSteps,
               std::vector<MemoryStep> autoAllowed);
    OperationResult runStep(MemoryStep step, const SessionJob& job) override;
};

FamilyEntry F29Family();

} // namespace quarvin
