#include "families/framework/PldSession.h"

#include <algorithm>
#include <sstream>

#include "forms/HexText.h"
#include "families/framework/PldSteps.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

struct StepName {
    const char* name;
    PldStep step;
    const char* help;
};

// Auto runs its steps in this order, whatever order the option names them in.
constexpr StepName kSteps[] = {
    {"read", PldStep::Read, "read the fuses into the map (fuse n at buffer address n)"},
    {"erase", PldStep::Erase, "bulk-erase every cell, security included"},
    {"blank", PldStep::Blank, "check that the fuse array is erased"},
    {"program", PldStep::Program, "program the array, architecture and signature from the map"},
    {"verify", PldStep::Verify, "compare the fuse array (16V8/20V8: and the architecture bits) with the map"},
    {"secure", PldStep::Secure, "set the security cell"},
};

} // namespace

const char* PldStepName(PldStep step) {
    for (const StepName& s : kSteps)
        if (s.step == step) return s.name;
    return "?";
}

std::vector<FamilyOperationInfo> PldSession::operations() const {
    std::vector<FamilyOperationInfo> ops;
    for (const StepName& s : kSteps) ops.push_back({s.name, s.help});
    ops.push_back({"auto", "erase, blank, program, verify and secure as the auto option says"});
    return ops;
}

std::vector<FamilyOptionInfo> PldSession::options() const {
    return {{"auto", "steps of erase,blank,program,verify,secure", "blank,program,verify", "the steps auto runs"}};
}

std::string PldSession::setOption(const std::string& name, const std::string& value) {
    if (name != "auto") return "unknown option " + name;
    std::vector<PldStep> steps;
    std::istringstream list(value);
    for (std::string word; std::getline(list, word, ',');) {
        const auto* found = std::find_if(std::begin(kSteps), std::end(kSteps),
                                         [&](const StepName& s) { return word == s.name && s.step != PldStep::Read; });
        if (found == std::end(kSteps)) return "auto takes steps of erase,blank,program,verify,secure, not " + word;
        steps.push_back(found->step);
    }
    auto_.clear();
    for (const StepName& s : kSteps)
        if (std::find(steps.begin(), steps.end(), s.step) != steps.end()) auto_.push_back(s.step);
    return {};
}

std::uint32_t PldSession::lastAddress(int subType) const {
    const std::int64_t count = geometryOf(subType).fuseCount();
    return count > 0 ? static_cast<std::uint32_t>(count - 1) : 0;
}

OperationResult PldSession::runAuto(const SessionJob& job) {
    const bool erase = std::find(auto_.begin(), auto_.end(), PldStep::Erase) != auto_.end();
    for (PldStep step : auto_) {
        if (step == PldStep::Blank && erase && eraseSkipsBlank_) continue;
        OperationResult r = runStep(step, job);
        if (!r.ok()) return r;
    }
    return OperationResult::done("OK");
}

void PldSession::start(LinkState& link, int subType) {
    ResetSocket(link);
    PldPrepareSocket(link, vppMillivoltsOf(subType));
}

OperationResult PldSession::run(const std::string& operation, const SessionJob& job) {
    OperationResult r = RunGuarded(job.link, [&]() -> OperationResult {
        if (operation == "auto") return runAuto(job);
        for (const StepName& s : kSteps)
            if (operation == s.name) return runStep(s.step, job);
        return OperationResult::refused("no operation " + operation + " for this logic device");
    });
    // Without the dialog's progress read-out the command line says where.
    if (r.outcome == Outcome::Failed) r.message += Format(" at fuse %u", r.address);
    return r;
}

} // namespace quarvin
