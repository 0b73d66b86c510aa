#pragma once
// The 93Cxx operations by name, for the command line.
#include "families/framework/FamilySession.h"
#include "families/microwire_eeprom/MicrowireOperations.h"

namespace quarvin {

class MicrowireSession : public FamilySession {
public:
    std::vector<FamilyOperationInfo> operations() const override;
    std::vector<FamilyOptionInfo> options() const override;
    std::string setOption(const std::string& name, const std::string& value) override;
    // The last buffer offset: x16 rows fill two bytes per word.
    std::uint32_t lastAddress(int subType) const override;
    OperationResult run(const std::string& operation, const SessionJob& job) override;

private:
    int writeWaitUnits_ = 5;
    bool changedOnly_ = false;
    std::vector<MicrowireStep> auto_{MicrowireStep::Program, MicrowireStep::Verify};
};

} // namespace quarvin
