#include "families/flash28f/F28Family.h"
#include "families/placement/SocketPlacement.h"

#include "families/framework/RowLookup.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

const F28Row& RowOf(int subType) { return RowOrPlaceholder(kF28Rows, subType); }

} // namespace

F28Session::F28Session()
    : MemorySession("the 28F family",
                    {{MemoryStep::Read, "read the device from address 0 into the buffer from 0 (Length + 1 bytes)"},
                     {MemoryStep::Blank, "check 256-byte blocks from address 0 up to Length"},
                     {MemoryStep::Erase, "bulk erase in up to 10 rounds until address 0 reads ff, then the blank check"},
                     {MemoryStep::Program, "program Length + 1 bytes from Buffer Start to Device Start"},
                     {MemoryStep::Verify, "compare Length + 1 bytes of the device with the buffer"}},
                    {MemoryStep::Program, MemoryStep::Verify},
                    {MemoryStep::Erase, MemoryStep::Blank, MemoryStep::Program, MemoryStep::Verify}) {}

std::uint32_t F28Session::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

void F28Session::start(LinkState& link) {
    ResetSocket(link);
    if (!link.connected) return;
    SetVppLevel(link, 0);
    ShutDownSocket(link);
}

OperationResult F28Session::runStep(MemoryStep step, const SessionJob& s) {
    const F28Job job{s.link, RowOf(s.selection.subType), s.buffer, s.fields, s.hooks};
    switch (step) {
    case MemoryStep::Read: return ReadF28(job);
    case MemoryStep::Blank: return BlankCheckF28(job);
    case MemoryStep::Erase: return EraseF28(job);
    case MemoryStep::Program: return ProgramF28(job);
    case MemoryStep::Verify: return VerifyF28(job);
    default: return OperationResult::refused("the 28F family has no such step");
    }
}

FamilyEntry F28Family() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<F28Dialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const F28Row& r : kF28Rows)
            rows.push_back({r.name, r.hasPart() ? r.lastAddress + 1 : 0, 0, r.chip ? r.chip : "",
                            r.hasPart() ? BottomAlignedBySupply(f28pin::Supply, {f28pin::Vpp}) : SocketPlacement{}});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<F28Session>(); };
    return e;
}

} // namespace quarvin
