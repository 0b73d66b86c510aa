#pragma once
// The "Auto" chain of the memory families: Blank, Programme and Verify in this
// order, each when asked for, stopping at the first that does not succeed.
#include <functional>
#include <vector>

#include "families/framework/Operation.h"

namespace quarvin {

enum class MemoryStep { Read, Blank, Program, Verify, Sum, Erase, Protect, Unprotect, Test };

struct AutoSteps {
    bool blank = true;
    bool program = true;
    bool verify = false;
};

// Runs the asked-for steps through `step`; the first result that is not done is
// returned as it is. When all succeed: "OK", with the note of a run the
// buffer's end cut short.
OperationResult RunAutoChain(const AutoSteps& steps, const std::function<OperationResult(MemoryStep)>& step);

// The same for a family whose Auto runs its own steps (Erase, Unprotect, ...),
// in the order given. A step done unchecked gets a blank check right after it
// when the next step is not the blank check.
OperationResult RunAutoSteps(const std::vector<MemoryStep>& steps,
                             const std::function<OperationResult(MemoryStep)>& step);

} // namespace quarvin
