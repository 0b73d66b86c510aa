#include "families/flash29ee/EE29Family.h"
#include "families/placement/SocketPlacement.h"

#include "families/framework/RowLookup.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

const EE29Row& RowOf(int subType) { return RowOrPlaceholder(kEE29Rows, subType); }

} // namespace

EE29Session::EE29Session()
    : SpeedOptionSession("the wait after each page write (\"Pro time\")", 
          "the 29EE family",
          {{MemoryStep::Read, "read the device from address 0 into the buffer from 0 (Length + 1 bytes, up to its end)"},
           {MemoryStep::Blank, "check 256-byte blocks from address 0 up to Length"},
           {MemoryStep::Erase, "data protection off, then the chip erase (not read back: blank tells)"},
           {MemoryStep::Program, "page writes over the pages of Device Start .. + Length, every 4 KiB read back"},
           {MemoryStep::Verify, "compare Length + 1 bytes of the device with the buffer"},
           {MemoryStep::Sum, "sum of the whole device"},
           {MemoryStep::Protect, "software data protection on (page 0 rewritten)"},
           {MemoryStep::Unprotect, "software data protection off (page 0 rewritten)"}},
          {MemoryStep::Program, MemoryStep::Verify},
          {MemoryStep::Erase, MemoryStep::Blank, MemoryStep::Program, MemoryStep::Verify}) {}

std::uint32_t EE29Session::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

void EE29Session::start(LinkState& link) {
    ResetSocket(link);
    if (!link.connected) return;
    SetVppLevel(link, 0);
    ShutDownSocket(link);
}

OperationResult EE29Session::runStep(MemoryStep step, const SessionJob& s) {
    return RunPageWriteStep(kEE29Operations, step, s, RowOf(s.selection.subType), speedIndex(), "the 29EE family");
}

FamilyEntry EE29Family() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<EE29Dialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const EE29Row& r : kEE29Rows)
            rows.push_back({r.name, r.placeholder() ? 0 : r.lastAddress + 1, 0, r.chip ? r.chip : "",
                            BottomAlignedBySupply(r.supplyPin)});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<EE29Session>(); };
    return e;
}

} // namespace quarvin
