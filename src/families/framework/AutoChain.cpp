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
    for (std::size_t i = 0; i < steps.size(); ++i) {
        OperationResult r = step(steps[i]);
        if (!r.ok()) return r;
        if (!r.note.empty()) note = r.note;
        // A step that checked nothing on the chip (the W27E erase pulse) is
        // followed by a blank check, unless one comes next anyway: Auto must not
        // say "OK" for a chip that was not erased.
        const bool blankNext = i + 1 < steps.size() && steps[i + 1] == MemoryStep::Blank;
        if (r.unchecked && !blankNext) {
            const OperationResult check = step(MemoryStep::Blank);
            if (!check.ok()) return check;
        }
    }
    return OperationResult::done("OK", note);
}

} // namespace quarvin
