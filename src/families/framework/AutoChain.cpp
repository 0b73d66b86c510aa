#include "families/framework/AutoChain.h"

namespace quarvin {

OperationResult RunAutoChain(const AutoSteps& steps, const std::function<OperationResult(MemoryStep)>& step) {
    std::vector<MemoryStep> wanted;
    if (steps.blank) wanted.push_back(MemoryStep::Blank);
    if (steps.program) wanted.push_back(MemoryStep::Program);
    if (steps.verify) wanted.push_back(MemoryStep::Verify);
    return RunAutoSteps(wanted, step);
}

OperationResult RunAutoSteps(const std::vector<MemoryStep>& steps,
                             const std::function<OperationResult(MemoryStep)>& step) {
    std::string note;
    for (MemoryStep which : steps) {
        OperationResult r = step(which);
        if (!r.ok()) return r;
        if (!r.note.empty()) note = r.note;
    }
    return OperationResult::done("OK", note);
}

} // namespace quarvin
