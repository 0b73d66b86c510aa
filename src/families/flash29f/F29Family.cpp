#include "families/flash29f/F29Family.h"
#include "families/placement/SocketPlacement.h"

#include "families/framework/RowLookup.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

const F29Row& RowOf(int subType) { return RowOrPlaceholder(kF29Rows, subType); }

} // namespace

F29Session::F29Session()
    : MemorySession("the 29F family",
                    {{MemoryStep::Read, "read the device from address 0 into the buffer from 0 (Length + 1 bytes)"},
                     {MemoryStep::Blank, "check 256-byte blocks from address 0 up to Length"},
                     {MemoryStep::Erase, "chip erase with status polling, then the blank check"},
                     {MemoryStep::Program, "program Length + 1 bytes from Buffer Start to Device Start"},
                     {MemoryStep::Verify, "compare Length + 1 bytes of the device with the buffer"},
                     {MemoryStep::Sum, "sum of the whole device"},
                     {MemoryStep::Unprotect, "12 V on A9 (does not lift a sector protection)"}},
                    {MemoryStep::Program, MemoryStep::Verify},
                    {MemoryStep::Erase, MemoryStep::Blank, MemoryStep::Program, MemoryStep::Verify}) {}

F29Session::F29Session(std::string family, std::vector<Step> steps, std::vector<MemoryStep> autoSteps,
                       std::vector<MemoryStep> autoAllowed)
    : MemorySession(std::move(family), std::move(steps), std::move(autoSteps), std::move(autoAllowed)) {}

std::uint32_t F29Session::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

void F29Session::start(LinkState& link) {
    ResetSocket(link);
    if (!link.connected) return;
    SetVppLevel(link, 0);
    ShutDownSocket(link);
    ChooseF29BusMode(link);
}

OperationResult F29Session::runStep(MemoryStep step, const SessionJob& s) {
    const F29Job job{s.link, RowOf(s.selection.subType), s.buffer, s.fields, s.hooks};
    switch (step) {
    case MemoryStep::Read: return ReadF29(job);
    case MemoryStep::Blank: return BlankCheckF29(job);
    case MemoryStep::Erase: return EraseF29(job);
    case MemoryStep::Program: return ProgramF29(job);
    case MemoryStep::Verify: return VerifyF29(job);
    case MemoryStep::Sum: return SumF29(job);
    case MemoryStep::Unprotect: return UnprotectF29(job);
    default: return OperationResult::refused("the 29F family has no such step");
    }
}

FamilyEntry F29Family() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<F29Dialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const F29Row& r : kF29Rows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, 0, r.chip ? r.chip : "",
                            BottomAlignedBySupply(r.supplyPin, {r.eraseVppPin})});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<F29Session>(); };
    return e;
}

} // namespace quarvin
