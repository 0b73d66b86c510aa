#include "families/w27e/W27eFamily.h"
#include "families/placement/SocketPlacement.h"

#include "families/framework/RowLookup.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

const W27eRow& RowOf(int subType) { return RowOrPlaceholder(kW27eRows, subType); }

} // namespace

W27eSession::W27eSession()
    : MemorySession("the W27E family",
                    {{MemoryStep::Read, "read the device from address 0 into the buffer from 0 (Length + 1 bytes)"},
                     {MemoryStep::Blank, "check that the whole device is blank"},
                     {MemoryStep::Erase, "erase the whole device electrically (blank tells whether it worked)"},
                     {MemoryStep::Program, "program Length + 1 bytes from Buffer Start to Device Start, then sum"},
                     {MemoryStep::Verify, "compare Length + 1 bytes of the device with the buffer"},
                     {MemoryStep::Sum, "sum of the whole device"}},
                    {MemoryStep::Blank, MemoryStep::Program},
                    {MemoryStep::Erase, MemoryStep::Blank, MemoryStep::Program, MemoryStep::Verify}) {}

std::uint32_t W27eSession::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

void W27eSession::start(LinkState& link) {
    ResetSocket(link);
    if (!link.connected) return;
    SetVppLevel(link, 0);
    ShutDownSocket(link);
}

OperationResult W27eSession::runStep(MemoryStep step, const SessionJob& s) {
    const W27eJob job{s.link, RowOf(s.selection.subType), s.buffer, s.fields, s.hooks};
    switch (step) {
    case MemoryStep::Read: return ReadW27e(job);
    case MemoryStep::Blank: return BlankCheckW27e(job);
    case MemoryStep::Erase: return EraseW27e(job);
    case MemoryStep::Program: return ProgramW27e(job);
    case MemoryStep::Verify: return VerifyW27e(job);
    case MemoryStep::Sum: return SumW27e(job);
    default: return OperationResult::refused("the W27E family has no such step");
    }
}

FamilyEntry W27eFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<W27eDialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const W27eRow& r : kW27eRows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, r.chip ? W27eRow::kProgramMillivolts : 0,
                            r.chip ? r.chip : "", BottomAlignedBySupply(r.supplyPin, {r.vppPin})});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<W27eSession>(); };
    return e;
}

} // namespace quarvin
