#pragma once
// The AT90S operations by name, for the command line.
#include <string>
#include <vector>

#include "families/avr90s/Avr90sOperations.h"
#include "families/framework/FamilySession.h"
#include "families/framework/NamedAutoSteps.h"

namespace quarvin {

class Avr90sSession : public FamilySession {
public:
    std::vector<FamilyOperationInfo> operations() const override;
    std::vector<FamilyOptionInfo> options() const override;
    std::string setOption(const std::string& name, const std::string& value) override;
    std::uint32_t lastAddress(int subType) const override;
    OperationResult run(const std::string& operation, const SessionJob& job) override;

private:
    OperationResult runOne(const std::string& operation, const Avr90sJob& job);

    AvrProtectMode protectMode_ = AvrProtectMode::None;
    AvrFuses fuses_;
    NamedAutoSteps autoSteps_{{"erase", "blank", "program", "verify", "fuse", "protect"}, {"program", "verify"}};
};

} // namespace quarvin
