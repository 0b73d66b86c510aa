#pragma once
// The W27E family as the registry and the command line know it.
#include "families/framework/FamilyDialog.h"
#include "families/framework/MemorySession.h"
#include "families/w27e/W27eDialog.h"

namespace quarvin {

class W27eSession : public MemorySession {
public:
    W27eSession();
    std::uint32_t lastAddress(int subType) const override;
    // As the dialog's start: a reset socket, Vpp at 0 and the socket shut down.
    void start(LinkState& link) override;

protected:
    OperationResult runStep(MemoryStep step, const SessionJob& job) override;
};

FamilyEntry W27eFamily();

} // namespace quarvin
