#pragma once
// The AT89S5x operations by name, for the command line.
#include <vector>

#include "families/framework/FamilySession.h"
#include "families/mcu89c5x/P89c5xRunOptions.h"
#include "families/mcu89s5x/P89s5xOperations.h"

namespace quarvin {

class P89s5xSession : public FamilySession {
public:
    std::vector<FamilyOperationInfo> operations() const override;
    std::vector<FamilyOptionInfo> options() const override;
    std::string setOption(const std::string& name, const std::string& value) override;
    std::uint32_t lastAddress(int subType) const override;
    void start(LinkState& link) override;
    OperationResult run(const std::string& operation, const SessionJob& job) override;

private:
    OperationResult runOne(const std::string& operation, const P89s5xJob& job);

    P89c5xRunOptions options_;
};

} // namespace quarvin
