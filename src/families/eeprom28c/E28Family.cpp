#include "families/eeprom28c/E28Family.h"
#include "families/placement/SocketPlacement.h"

#include "families/framework/RowLookup.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

const E28Row& RowOf(int subType) { return RowOrPlaceholder(kE28Rows, subType); }

} // namespace

E28Session::E28Session()
    : SpeedOptionSession("the wait after each page write (\"Programe time\")", "the 28C family",
                    {{MemoryStep::Read, "read the device from address 0 into the buffer from 0 (Length + 1 bytes)"},
                     {MemoryStep::Blank, "check 256-byte blocks from address 0 up to Length"},
                     {MemoryStep::Erase, "data protection off, chip erase, then a blank check of the whole device"},
                     {MemoryStep::Program, "protected page writes over the pages of Device Start .. + Length"},
                     {MemoryStep::Verify, "compare Length + 1 bytes of the device with the buffer"},
                     {MemoryStep::Sum, "sum of the whole device"},
                     {MemoryStep::Protect, "software data protection on (page 0 rewritten)"},
                     {MemoryStep::Unprotect, "software data protection off (page 0 rewritten)"}},
                    {MemoryStep::Program, MemoryStep::Verify},
                    {MemoryStep::Unprotect, MemoryStep::Program, MemoryStep::Verify}) {}

std::uint32_t E28Session::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

void E28Session::start(LinkState& link) {
    ResetSocket(link);
    if (!link.connected) return;
    SetVppLevel(link, 0);
    ShutDownSocket(link);
}

OperationResult E28Session::runStep(MemoryStep step, const SessionJob& s) {
    return RunPageWriteStep(kE28Operations, step, s, RowOf(s.selection.subType), speedIndex(), "the 28C family");
}

FamilyEntry E28Family() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<E28Dialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const E28Row& r : kE28Rows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, 0, r.chip ? r.chip : "", BottomAlignedBySupply(r.supplyPin)});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<E28Session>(); };
    return e;
}

} // namespace quarvin
