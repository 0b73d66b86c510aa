#pragma once
// The AT49F flash family as the registry and the command line know it.
#include "families/flash29f/F29Family.h"
#include "families/flash49f/At49Dialog.h"

namespace quarvin {

class At49Session : public F29Session {
public:
    At49Session();
    std::uint32_t lastAddress(int subType) const override;

protected:
    OperationResult runStep(MemoryStep step, const SessionJob& job) override;
};

FamilyEntry At49fFamily();

} // namespace quarvin
