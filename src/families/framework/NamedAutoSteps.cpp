#include "families/framework/NamedAutoSteps.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace quarvin {

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// "erase, blank, program and verify".
std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

} // namespace

NamedAutoSteps::NamedAutoSteps(std::vector<std::string> order, std::vector<std::string> chosen)
    : order_(std::move(order)), chosen_(std::move(chosen)) {}

std::string NamedAutoSteps::set(const std::string& value) {
    std::vector<std::string> steps;
    std::istringstream in(value);
    for (std::string step; std::getline(in, step, ',');) {
        if (step.empty()) continue;
        if (!Contains(order_, step)) return "auto takes " + Listed(order_);
        steps.push_back(step);
    }
    chosen_ = steps;
    return {};
}

OperationResult NamedAutoSteps::run(const std::function<OperationResult(const std::string&)>& runStep,
                                    const std::string& doneText) const {
    for (const std::string& step : order_) {
        if (!Contains(chosen_, step)) continue;
        OperationResult r = runStep(step);
        if (!r.ok()) return r;
    }
    return OperationResult::done(doneText);
}

} // namespace quarvin
