#include "families/mcu89c5x/P89c5xSession.h"

#include <algorithm>
#include <sstream>

#include "families/framework/RowLookup.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

constexpr int kProgrammingMillivolts = 12000;
const char* const kRunOrder[] = {"erase", "blank", "program", "verify", "protect"};

const P89c5xRow& RowOf(int subType) { return RowOrPlaceholder(kP89c5xRows, subType); }

// "1".."3" to 0..2; -1 for anything else.
int ItemOf(const std::string& value) {
    return value.size() == 1 && value[0] >= '1' && value[0] <= '3' ? value[0] - '1' : -1;
}

} // namespace

std::vector<FamilyOperationInfo> P89c5xSession::operations() const {
    return {
        {"read", "read the code memory into the buffer from 0"},
        {"erase", "chip erase (not on OTP parts)"},
        {"blank", "check that every byte reads 0xFF"},
        {"program", "check the signature, then program every byte that is not 0xFF"},
        {"verify", "compare the code memory with the buffer"},
        {"protect", "write the lock bits of protect-mode and check them"},
        {"id", "read the three signature bytes"},
        {"run", "the run items in order, while each succeeds (\"Run\")"},
    };
}

std::vector<FamilyOptionInfo> P89c5xSession::options() const {
    return {
        {"speed", "1..3", "1", "milliseconds waited after each programmed byte (\"Speed\")"},
        {"protect-mode", "1..3", "2", "1 no MOVC, 2 also no read, 3 also no external code (\"Protect mode\")"},
        {"run", "erase,blank,program,verify,protect", "all", "the run items (\"Run item\")"},
    };
}

std::string P89c5xSession::setOption(const std::string& name, const std::string& value) {
    if (name == "speed" || name == "protect-mode") {
        const int item = ItemOf(value);
        if (item < 0) return name + " takes 1..3";
        if (name == "speed") speed_ = static_cast<ProgramSpeed>(item);
        else protect_ = static_cast<ProtectMode>(item);
        return {};
    }
    if (name == "run") {
        std::vector<std::string> items;
        std::istringstream in(value);
        for (std::string item; std::getline(in, item, ',');) {
            if (item.empty()) continue;
            if (std::find(std::begin(kRunOrder), std::end(kRunOrder), item) == std::end(kRunOrder))
                return "run takes erase, blank, program, verify and protect";
            items.push_back(item);
        }
        runItems_ = items;
        return {};
    }
    return "unknown option " + name;
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
    if (operation == "program") return ProgramP89c5x(job, speed_);
    if (operation == "verify") return VerifyP89c5x(job);
    if (operation == "protect") return ProtectP89c5x(job, protect_);
    if (operation == "id") return IdP89c5x(job);
    if (operation == "run") return runChain(job);
    return OperationResult::refused("the 89C5x family has no operation " + operation);
}

OperationResult P89c5xSession::runChain(const P89c5xJob& job) {
    if (auto refusal = CheckP89c5xPresence(job.link)) return *refusal;
    for (const char* item : kRunOrder) {
        if (std::find(runItems_.begin(), runItems_.end(), item) == runItems_.end()) continue;
        // An OTP part has no erase: the run skips it, as the dialog's disabled box.
        if (job.row.otp && std::string(item) == "erase") continue;
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
