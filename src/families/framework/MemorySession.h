#pragma once
// The command line's side of a memory family: its steps by name ("read",
// "erase", "unprotect", ...), "id" and "auto" with the steps the auto option
// names. A family gives its steps and how to run one of them.
#include <optional>
#include <string>
#include <vector>

#include "families/framework/AutoChain.h"
#include "families/framework/FamilySession.h"

namespace quarvin {

// The readable name of a step ("program") and back; false for an unknown name.
const char* StepName(MemoryStep step);
bool StepNamed(const std::string& name, MemoryStep& step);

class MemorySession : public FamilySession {
public:
    struct Step {
        MemoryStep step;
        std::string help;
    };
    // family: how refusals name it ("the W27E family"); steps: its operations in
    // the order its dialog shows them; autoSteps: what auto runs by default,
    // autoAllowed: the steps the auto option may name, in the order they run.
    MemorySession(std::string family, std::vector<Step> steps, std::vector<MemoryStep> autoSteps,
                  std::vector<MemoryStep> autoAllowed);

    std::vector<FamilyOperationInfo> operations() const override;
    std::vector<FamilyOptionInfo> options() const override;
    std::string setOption(const std::string& name, const std::string& value) override;
    OperationResult run(const std::string& operation, const SessionJob& job) override;

protected:
    // Runs one of the family's steps on the job's sub-type.
    virtual OperationResult runStep(MemoryStep step, const SessionJob& job) = 0;
    // The family's own options besides auto.
    virtual std::vector<FamilyOptionInfo> familyOptions() const { return {}; }
    virtual std::string setFamilyOption(const std::string& name, const std::string&) {
        return "unknown option " + name;
    }
    // The codes "id" gives when the family reads them its own way; nothing:
    // the job's code read (the selection dialog's).
    virtual std::optional<std::string> readCodes(const SessionJob&) { return std::nullopt; }

private:
    std::string family_;
    std::vector<Step> steps_;
    std::vector<MemoryStep> auto_;
    std::vector<MemoryStep> autoAllowed_;
};

} // namespace quarvin
