#include "families/framework/AutoChain.h"

namespace quarvin {

OperationResult RunAutoChain(const AutoSteps& steps, const std::function<OperationResult(MemoryStep)>& step) {
    std::string note;
    for (auto [wanted, which] : {std::pair{steps.blank, MemoryStep::Blank}, std::pair{steps.program, MemoryStep::Program},
                                 std::pair{steps.verify, MemoryStep::Verify}}) {
        if (!wanted) continue;
        OperationResult r = step(which);
        if (!r.ok()) return r;
        if (!r.note.empty()) note = r.note;
    }
    return OperationResult::done("OK", note);
}

} // namespace quarvin
