#include "families/mcu89s5x/P89s5xSession.h"

#include <algorithm>
#include <sstream>

#include "families/framework/RowLookup.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

constexpr int kProgrammingMillivolts = 12000;
const char* const kRunOrder[] = {"erase", "blank", "program", "verify", "protect"};

const P89s5xRow& RowOf(int subType) { return RowOrPlaceholder(kP89s5xRows, subType); }

} // namespace

std::vector<FamilyOperationInfo> P89s5xSession::operations() const {
    return {
        {"read", "read the code memory into the buffer from 0"},
        {"erase", "chip erase"},
        {"blank", "check that every byte reads 0xFF"},
        {"program", "check the signature, then program every byte that is not 0xFF"},
        {"verify", "compare the code memory with the buffer"},
        {"protect", "write the lock bits of protect-mode and check them"},
        {"id", "read the three signature bytes"},
        {"run", "the run items in order, while each succeeds (\"Run\")"},
    };
}

std::vector<FamilyOptionInfo> P89s5xSession::options() const {
    return {
        {"speed", "1..3", "1", "milliseconds waited after each programmed byte (\"Speed\")"},
        {"protect-mode", "1..3", "2", "1 no MOVC, 2 also no read, 3 also no external code (\"Protect mode\")"},
        {"run", "erase,blank,program,verify,protect", "all", "the run items (\"Run item\")"},
    };
}

std::string P89s5xSession::setOption(const std::string& name, const std::string& value) {
    if (name == "speed" || name == "protect-mode") {
        const int item = value.size() == 1 && value[0] >= '1' && value[0] <= '3' ? value[0] - '1' : -1;
        if (item < 0) return name + " takes 1..3";
        if (name == "speed") speed_ = static_cast<ProgramSpeed>(item);
        else protect_ = static_cast<ProtectMode>(item);
        return {};
    }
    if (name != "run") return "unknown option " + name;
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

std::uint32_t P89s5xSession::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

void P89s5xSession::start(LinkState& link) {
    ResetSocket(link);
    SetVppLevel(link, kProgrammingMillivolts);
}

OperationResult P89s5xSession::runOne(const std::string& operation, const P89s5xJob& job) {
    if (operation == "read") return ReadP89s5x(job);
    if (operation == "erase") return EraseP89s5x(job);
    if (operation == "blank") return BlankP89s5x(job);
    if (operation == "program") return ProgramP89s5x(job, speed_);
    if (operation == "verify") return VerifyP89s5x(job);
    if (operation == "protect") return ProtectP89s5x(job, protect_);
    if (operation == "id") return IdP89s5x(job);
    if (operation != "run") return OperationResult::refused("the AT89S5x family has no operation " + operation);
    if (auto refusal = CheckP89s5xPresence(job.link)) return *refusal;
    for (const char* item : kRunOrder) {
        if (std::find(runItems_.begin(), runItems_.end(), item) == runItems_.end()) continue;
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
