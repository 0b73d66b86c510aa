#pragma once
// The "auto" option of a session whose steps are plain names: which of the
// family's auto steps run, always in the family's order, while each succeeds.
#include <functional>
#include <string>
#include <vector>

#include "families/framework/Operation.h"

namespace quarvin {

class NamedAutoSteps {
public:
    // order: every step auto may run, in the order it runs them; chosen: the default.
    NamedAutoSteps(std::vector<std::string> order, std::vector<std::string> chosen);

    // Takes "program,verify"; the error text naming the allowed steps, empty when accepted.
    std::string set(const std::string& value);

    // Runs the chosen steps in order; the first failure ends it, else done(doneText).
    OperationResult run(const std::function<OperationResult(const std::string&)>& runStep,
                        const std::string& doneText) const;

private:
    std::vector<std::string> order_;
    std::vector<std::string> chosen_;
};

} // namespace quarvin
