#pragma once
// The 29EE page-write flash family as the registry and the command line know it.
#include "families/flash29ee/EE29Dialog.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/MemorySession.h"
#include "families/framework/SpeedOption.h"

namespace quarvin {

class EE29Session : public SpeedOptionSession {
public:
    EE29Session();
    std::uint32_t lastAddress(int subType) const override;
    void start(LinkState& link) override;

protected:
    OperationResult runStep(MemoryStep step, const SessionJob& job) override;
};

FamilyEntry EE29Family();

} // namespace quarvin
