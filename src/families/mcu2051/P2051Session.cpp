#include "families/mcu2051/P2051Session.h"

#include <algorithm>
#include <sstream>

#include "families/framework/RowLookup.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

constexpr int kProgrammingMillivolts = 12000;
const char* const kAutoOrder[] = {"erase", "blank", "program", "verify", "protect"};

const P2051Row& RowOf(int subType) { return RowOrPlaceholder(kP2051Rows, subType); }

} // namespace

std::vector<FamilyOperationInfo> P2051Session::operations() const {
    return {
        {"read", "read the code memory into the buffer from 0"},
        {"erase", "chip erase, then check that address 0 reads 0xFF"},
        {"blank", "check that every byte reads 0xFF"},
        {"program", "program every byte that is not 0xFF, waiting for ready"},
        {"verify", "compare the code memory with the buffer"},
        {"protect", "write both lock bits and check them (\"Secrity\")"},
        {"id", "read the three signature bytes"},
        {"auto", "the auto steps in order, while each succeeds (\"Auto\")"},
    };
}

std::vector<FamilyOptionInfo> P2051Session::options() const {
    return {{"auto", "erase,blank,program,verify,protect", "program,verify", "the steps of auto (\"Auto Pro\")"}};
}

std::string P2051Session::setOption(const std::string& name, const std::string& value) {
    if (name != "auto") return "unknown option " + name;
    std::vector<std::string> steps;
    std::istringstream in(value);
    for (std::string step; std::getline(in, step, ',');) {
        if (step.empty()) continue;
        if (std::find(std::begin(kAutoOrder), std::end(kAutoOrder), step) == std::end(kAutoOrder))
            return "auto takes erase, blank, program, verify and protect";
        steps.push_back(step);
    }
    autoSteps_ = steps;
    return {};
}

std::uint32_t P2051Session::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

void P2051Session::start(LinkState& link) {
    ResetSocket(link);
    SetVppLevel(link, kProgrammingMillivolts);
    PrepareP2051(link);
}

OperationResult P2051Session::runOne(const std::string& operation, const P2051Job& job) {
    if (operation == "read") return ReadP2051(job);
    if (operation == "erase") return EraseP2051(job);
    if (operation == "blank") return BlankP2051(job);
    if (operation == "program") return ProgramP2051(job);
    if (operation == "verify") return VerifyP2051(job);
    if (operation == "protect") return SecrityP2051(job);
    if (operation == "id") return IdP2051(job);
    if (operation == "auto") return runAuto(job);
    return OperationResult::refused("the 89C2051 family has no operation " + operation);
}

OperationResult P2051Session::runAuto(const P2051Job& job) {
    if (auto refusal = CheckP2051Presence(job.link)) return *refusal;
    for (const char* step : kAutoOrder) {
        if (std::find(autoSteps_.begin(), autoSteps_.end(), step) == autoSteps_.end()) continue;
        OperationResult r = runOne(step, job);
        if (!r.ok()) return r;
    }
    return OperationResult::done("OK");
}

OperationResult P2051Session::run(const std::string& operation, const SessionJob& s) {
    const P2051Row& row = RowOf(s.selection.subType);
    if (row.chip == nullptr) return OperationResult::refused("No device type selected");
    const P2051Job job{s.link, row, s.buffer, s.hooks, s.prompts, true};
    OperationResult r = RunGuarded(s.link, [&] { return runOne(operation, job); });
    if (r.outcome == Outcome::Failed && operation == "blank") r.message += Format(" at %04x", r.address);
    return r;
}

} // namespace quarvin
