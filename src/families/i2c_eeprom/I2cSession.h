#pragma once
// The 24Cxx operations by name, for the command line.
#include "families/framework/FamilySession.h"

namespace quarvin {

class I2cSession : public FamilySession {
public:
    std::vector<FamilyOperationInfo> operations() const override;
    std::vector<FamilyOptionInfo> options() const override;
    std::string setOption(const std::string& name, const std::string& value) override;
    std::uint32_t lastAddress(int subType) const override;
    OperationResult run(const std::string& operation, const SessionJob& job) override;

private:
    int writeWaitMilliseconds_ = 5;
    bool changedOnly_ = false;
};

} // namespace quarvin
