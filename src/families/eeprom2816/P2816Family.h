#pragma once
// The 2816A-class EEPROM family as the registry and the command line know it.
#include "families/eeprom2816/P2816Dialog.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/MemorySession.h"
#include "families/framework/SpeedOption.h"

namespace quarvin {

class P2816Session : public SpeedOptionSession {
public:
    P2816Session();
    std::uint32_t lastAddress(int subType) const override;
    void start(LinkState& link) override;

protected:
    OperationResult runStep(MemoryStep step, const SessionJob& job) override;
};

FamilyEntry P2816Family();

} // namespace quarvin
