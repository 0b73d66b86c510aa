#pragma once
// The 20-pin 8051 flash operations by name, for the command line.
#include <vector>

#include "families/framework/FamilySession.h"
#include "families/mcu2051/P2051Operations.h"

namespace quarvin {

class P2051Session : public FamilySession {
public:
    std::vector<FamilyOperationInfo> operations() const override;
    std::vector<FamilyOptionInfo> options() const override;
    std::string setOption(const std::string& name, const std::string& value) override;
    std::uint32_t lastAddress(int subType) const override;
    void start(LinkState& link) override;
    using FamilySession::start;
    // The start prepares the part and leaves it powered, reset high, for the next step.
    bool leavesPartPowered(const std::string& operation) const override { return operation == "start"; }
    OperationResult run(const std::string& operation, const SessionJob& job) override;

private:
    OperationResult runOne(const std::string& operation, const P2051Job& job);
    OperationResult runAuto(const P2051Job& job);

    std::vector<std::string> autoSteps_ = {"program", "verify"};
};

} // namespace quarvin
