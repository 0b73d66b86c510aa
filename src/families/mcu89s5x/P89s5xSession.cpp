#include "families/mcu89s5x/P89s5xSession.h"

#include "families/framework/RowLookup.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

constexpr int kProgrammingMillivolts = 12000;

const P89s5xRow& RowOf(int subType) { return RowOrPlaceholder(kP89s5xRows, subType); }

} // namespace

std::vector<FamilyOperationInfo> P89s5xSession::operations() const {
    return P89c5xRunOptions::operations("chip erase");
}

std::vector<FamilyOptionInfo> P89s5xSession::options() const { return P89c5xRunOptions::options(); }

std::string P89s5xSession::setOption(const std::string& name, const std::string& value) {
    return options_.set(name, value);
}

std::uint32_t P89s5xSession::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

void P89s5xSession::start(LinkState& link) {
    ResetSocket(link);
    SetVppLevel(link, kProgrammingMillivolts);
}

OperationResult P89s5xSession::runOne(const std::string& operation, const P89s5xJob& job) {
    if (operation == "read") return ReadP89s5x(job);
    if (operation == "erase") return EraseP89s5x(job);
    if (operation == "blank") return BlankP89s5x(job);
    if (operation == "program") return ProgramP89s5x(job, options_.speed);
    if (operation == "verify") return VerifyP89s5x(job);
    if (operation == "protect") return ProtectP89s5x(job, options_.protect);
    if (operation == "id") return IdP89s5x(job);
    if (operation != "run") return OperationResult::refused("the AT89S5x family has no operation " + operation);
    if (auto refusal = CheckP89s5xPresence(job.link)) return *refusal;
    for (const std::string& item : options_.chain()) {
        OperationResult r = runOne(item, job);
        if (!r.ok()) return r;
    }
    return OperationResult::done("OK");
}

OperationResult P89s5xSession::run(const std::string& operation, const SessionJob& s) {
    const P89s5xRow& row = RowOf(s.selection.subType);
    if (row.chip == nullptr) return OperationResult::refused("No device type selected");
    const P89s5xJob job{s.link, row, s.buffer, McuRange{row.lastAddress, std::nullopt}, s.hooks, s.prompts,
                        s.selection.expectedSignature};
    OperationResult r = RunGuarded(s.link, [&] { return runOne(operation, job); });
    if (r.outcome == Outcome::Failed && operation == "blank") r.message += Format(" at %04x", r.address);
    return r;
}

} // namespace quarvin
