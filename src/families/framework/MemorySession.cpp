#include "families/framework/MemorySession.h"

#include <algorithm>
#include <sstream>

namespace quarvin {

namespace {

constexpr std::pair<MemoryStep, const char*> kStepNames[] = {
    {MemoryStep::Read, "read"},       {MemoryStep::Blank, "blank"},     {MemoryStep::Program, "program"},
    {MemoryStep::Verify, "verify"},   {MemoryStep::Sum, "sum"},         {MemoryStep::Erase, "erase"},
    {MemoryStep::Protect, "protect"}, {MemoryStep::Unprotect, "unprotect"}, {MemoryStep::Test, "test"},
};

std::string Joined(const std::vector<MemoryStep>& steps) {
    std::string text;
    for (MemoryStep s : steps) text += (text.empty() ? "" : ",") + std::string(StepName(s));
    return text;
}

} // namespace

const char* StepName(MemoryStep step) {
    for (const auto& [s, name] : kStepNames)
        if (s == step) return name;
    return "?";
}

bool StepNamed(const std::string& name, MemoryStep& step) {
    for (const auto& [s, n] : kStepNames)
        if (name == n) {
            step = s;
            return true;
        }
    return false;
}

MemorySession::MemorySession(std::string family, std::vector<Step> steps, std::vector<MemoryStep> autoSteps,
                             std::vector<MemoryStep> autoAllowed)
    : family_(std::move(family)), steps_(std::move(steps)), auto_(std::move(autoSteps)),
      autoAllowed_(std::move(autoAllowed)) {}

std::vector<FamilyOperationInfo> MemorySession::operations() const {
    std::vector<FamilyOperationInfo> ops;
    for (const Step& s : steps_) ops.push_back({StepName(s.step), s.help});
    ops.push_back({"id", "read the manufacturer and type codes"});
    ops.push_back({"auto", "the steps the auto option names, stopping at the first that fails"});
    return ops;
}

std::vector<FamilyOptionInfo> MemorySession::options() const {
    std::vector<FamilyOptionInfo> opts = familyOptions();
    opts.push_back({"auto", "steps of " + Joined(autoAllowed_), Joined(auto_), "the steps auto runs"});
    return opts;
}

std::string MemorySession::setOption(const std::string& name, const std::string& value) {
    if (name != "auto") return setFamilyOption(name, value);
    std::vector<bool> wanted(autoAllowed_.size(), false);
    std::istringstream list(value);
    for (std::string word; std::getline(list, word, ',');) {
        MemoryStep step{};
        const auto at = std::find_if(autoAllowed_.begin(), autoAllowed_.end(),
                                     [&](MemoryStep s) { return StepNamed(word, step) && s == step; });
        if (at == autoAllowed_.end()) return "auto takes steps of " + Joined(autoAllowed_) + ", not " + word;
        wanted[static_cast<std::size_t>(at - autoAllowed_.begin())] = true;
    }
    // Auto runs its steps in the family's order, whatever order they are named in.
    auto_.clear();
    for (std::size_t i = 0; i < autoAllowed_.size(); ++i)
        if (wanted[i]) auto_.push_back(autoAllowed_[i]);
    return {};
}

OperationResult MemorySession::run(const std::string& operation, const SessionJob& job) {
    return RunGuarded(job.link, [&]() -> OperationResult {
        const auto runOne = [&](MemoryStep s) { return runStep(s, job); };
        if (operation == "auto") return RunAutoSteps(auto_, runOne);
        if (operation == "id") {
            if (auto own = readCodes(job)) return OperationResult::done(*own);
            if (!job.readIds) return OperationResult::refused("id: no detection available");
            return OperationResult::done(job.readIds());
        }
        MemoryStep step{};
        const bool known = StepNamed(operation, step) &&
                           std::any_of(steps_.begin(), steps_.end(), [&](const Step& s) { return s.step == step; });
        if (!known) return OperationResult::refused(family_ + " has no operation " + operation);
        return runOne(step);
    });
}

} // namespace quarvin
