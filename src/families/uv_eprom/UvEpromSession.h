#pragma once
// The UV EPROM operations by name, for the command line.
#include "families/framework/AutoChain.h"
#include "families/framework/FamilySession.h"
#include "families/uv_eprom/EpromOperations.h"

namespace quarvin {

class UvEpromSession : public FamilySession {
public:
    std::vector<FamilyOperationInfo> operations() const override;
    std::vector<FamilyOptionInfo> options() const override;
    std::string setOption(const std::string& name, const std::string& value) override;
    std::uint32_t lastAddress(int subType) const override;
    // As the dialog's start: a reset socket and the Vpp generator at 0.
    void start(LinkState& link) override;
    OperationResult run(const std::string& operation, const SessionJob& job) override;

private:
    EpromProgramOptions program_;
    AutoSteps auto_;
};

} // namespace quarvin
