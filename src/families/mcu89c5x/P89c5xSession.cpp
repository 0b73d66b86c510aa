#include "families/mcu89c5x/P89c5xSession.h"

#include <algorithm>
#include <sstream>

#include "families/framework/RowLookup.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

constexpr int kProgrammingMillivolts = 12000;

const P89c5xRow& RowOf(int subType) { return RowOrPlaceholder(kP89c5xRows, subType); }

} // namespace

std::vector<FamilyOperationInfo> P89c5xSession::operations() const {
    return P89c5xRunOptions::operations("chip erase (not on OTP parts)");
}

std::vector<FamilyOptionInfo> P89c5xSession::options() const { return P89c5xRunOptions::options(); }

std::string P89c5xSession::setOption(const std::string& name, const std::string& value) {
    return options_.set(name, value);
}

std::uint32_t P89c5xSession::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

std::string P89c5xSession::unavailable(const std::string& operation, int subType) const {
    if (operation == "erase" && RowOf(subType).otp) return "erase is not available for an OTP part";
    return {};
}

void P89c5xSession::start(LinkState& link) {
    ResetSocket(link);
    SetVppLevel(link, kProgrammingMillivolts);
}

OperationResult P89c5xSession::runOne(const std::string& operation, const P89c5xJob& job) {
    if (operation == "read") return ReadP89c5x(job);
    if (operation == "erase") return EraseP89c5x(job);
    if (operation == "blank") return BlankP89c5x(job);
    if (operation == "program") return ProgramP89c5x(job, options_.speed);
    if (operation == "verify") return VerifyP89c5x(job);
    if (operation == "protect") return ProtectP89c5x(job, options_.protect);
    if (operation == "id") return IdP89c5x(job);
    if (operation == "run") return runChain(job);
    return OperationResult::refused("the 89C5x family has no operation " + operation);
}

OperationResult P89c5xSession::runChain(const P89c5xJob& job) {
    if (auto refusal = CheckP89c5xPresence(job.link)) return *refusal;
    for (const std::string& item : options_.chain()) {
        // An OTP part has no erase: the run skips it, as the dialog's disabled box.
        if (job.row.otp && item == "erase") continue;
        OperationResult r = runOne(item, job);
        if (!r.ok()) return r;
    }
    return OperationResult::done("OK");
}

OperationResult P89c5xSession::run(const std::string& operation, const SessionJob& s) {
    const P89c5xRow& row = RowOf(s.selection.subType);
    if (row.chip == nullptr) return OperationResult::refused("No device type selected");
    const P89c5xJob job{s.link, row, s.buffer, McuRange{row.lastAddress, std::nullopt}, s.hooks, s.prompts,
                        s.selection.expectedSignature};
    OperationResult r = RunGuarded(s.link, [&] { return runOne(operation, job); });
    // Without the dialog's progress read-out the command line says where.
    if (r.outcome == Outcome::Failed && operation == "blank") r.message += Format(" at %04x", r.address);
    return r;
}

} // namespace quarvin
