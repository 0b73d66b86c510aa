#pragma once
// The static RAM tester as the registry and the command line know it.
#include "families/framework/FamilyDialog.h"
#include "families/framework/MemorySession.h"
#include "families/sram/SramDialog.h"

namespace quarvin {

class SramSession : public MemorySession {
public:
    SramSession();
    std::uint32_t lastAddress(int subType) const override;
    void start(LinkState& link) override;
    void start(LinkState& link, int subType) override;
    // A static RAM keeps what Programe wrote only while it is powered: Read,
    // Programe, Verify and Auto leave it on for the next step, and the dialog's
    // shut-down switches it off.
    bool leavesPartPowered(const std::string& operation) const override {
        return operation == "read" || operation == "program" || operation == "verify" || operation == "auto";
    }
    void close(LinkState& link) override;

protected:
    OperationResult runStep(MemoryStep step, const SessionJob& job) override;

private:
    int subType_ = 0; // the row the last start or operation worked on, for the close
};

FamilyEntry SramFamily();

} // namespace quarvin
