#include "families/eeprom2816/P2816Family.h"

#include "families/framework/RowLookup.h"
#include "families/placement/SocketPlacement.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

const P2816Row& RowOf(int subType) { return RowOrPlaceholder(kP2816Rows, subType); }

} // namespace

P2816Session::P2816Session()
    : SpeedOptionSession("the wait after each byte write, in write cycles (\"Programe time\")", "the 2816 family",
                    {{MemoryStep::Read, "read the device from address 0 into the buffer from 0 (Length + 1 bytes)"},
                     {MemoryStep::Blank, "check 256-byte blocks from address 0 up to Length"},
                     {MemoryStep::Erase, "FF written over every byte that is not FF, then a blank check of the whole device"},
                     {MemoryStep::Program, "byte writes of Length + 1 bytes from Buffer Start to Device Start, read back a page at a time"},
                     {MemoryStep::Verify, "compare Length + 1 bytes of the device with the buffer"},
                     {MemoryStep::Sum, "sum of the whole device"}},
                    {MemoryStep::Program, MemoryStep::Verify},
                    {MemoryStep::Erase, MemoryStep::Blank, MemoryStep::Program, MemoryStep::Verify}) {}

std::uint32_t P2816Session::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

void P2816Session::start(LinkState& link) {
    ResetSocket(link);
    if (!link.connected) return;
    SetVppLevel(link, 0);
    ShutDownSocket(link);
    ReleaseReadyBusyPin(link);
}

OperationResult P2816Session::runStep(MemoryStep step, const SessionJob& s) {
    const P2816Job job{s.link, RowOf(s.selection.subType), s.buffer, s.fields, s.hooks};
    switch (step) {
    case MemoryStep::Read: return ReadP2816(job);
    case MemoryStep::Blank: return BlankCheckP2816(job);
    case MemoryStep::Erase: return EraseP2816(job, P2816WriteWait(speedIndex()));
    case MemoryStep::Program: return ProgramP2816(job, P2816WriteWait(speedIndex()));
    case MemoryStep::Verify: return VerifyP2816(job);
    case MemoryStep::Sum: return SumP2816(job);
    default: return OperationResult::refused("the 2816 family has no such step");
    }
}

FamilyEntry P2816Family() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<P2816Dialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const P2816Row& r : kP2816Rows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, 0, r.chip ? r.chip : "",
                            BottomAlignedBySupply(r.supplyPin)});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<P2816Session>(); };
    return e;
}

} // namespace quarvin
