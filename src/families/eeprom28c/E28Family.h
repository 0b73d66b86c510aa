#pragma once
// The 28C EEPROM family as the registry and the command line know it.
#include "families/eeprom28c/E28Dialog.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/MemorySession.h"
#include "families/framework/SpeedOption.h"

namespace quarvin {

class E28Session : public SpeedOptionSession {
public:
    E28Session();
    std::uint32_t lastAddress(int subType) const override;
    void start(LinkState& link) override;

protected:
    OperationResult runStep(MemoryStep step, const SessionJob& job) override;
};

FamilyEntry E28Family();

} // namespace quarvin
