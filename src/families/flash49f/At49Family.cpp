#include "families/flash49f/At49Family.h"

#include "families/flash49f/At49Operations.h"
#include "families/flash49f/At49Rows.h"
#include "families/framework/RowLookup.h"
#include "families/placement/SocketPlacement.h"

namespace quarvin {

namespace {

const F29Row& RowOf(int subType) { return RowOrPlaceholder(kAt49fRows, subType); }

} // namespace

At49Session::At49Session()
    : F29Session("the AT49F family",
                 {{MemoryStep::Read, "read the device from address 0 into the buffer from 0 (Length + 1 bytes)"},
                  {MemoryStep::Blank, "check 256-byte blocks from address 0 up to Length"},
                  {MemoryStep::Erase, "chip erase, the toggle bit polled for up to 10 s, then the blank check"},
                  {MemoryStep::Program, "program Length + 1 bytes from Buffer Start to Device Start"},
                  {MemoryStep::Verify, "compare Length + 1 bytes of the device with the buffer"},
                  {MemoryStep::Sum, "sum of the whole device"}},
                 {MemoryStep::Program, MemoryStep::Verify},
                 {MemoryStep::Erase, MemoryStep::Blank, MemoryStep::Program, MemoryStep::Verify}) {}

std::uint32_t At49Session::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

OperationResult At49Session::runStep(MemoryStep step, const SessionJob& s) {
    const F29Job job{s.link, RowOf(s.selection.subType), s.buffer, s.fields, s.hooks};
    switch (step) {
    case MemoryStep::Read: return ReadF29(job);
    case MemoryStep::Blank: return BlankCheckF29(job);
    case MemoryStep::Erase: return EraseAt49(job);
    case MemoryStep::Program: return ProgramF29(job);
    case MemoryStep::Verify: return VerifyF29(job);
    case MemoryStep::Sum: return SumF29(job);
    default: return OperationResult::refused("the AT49F family has no such step");
    }
}

FamilyEntry At49fFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<At49Dialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const F29Row& r : kAt49fRows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, 0, r.chip ? r.chip : "",
                            BottomAlignedBySupply(r.supplyPin)});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<At49Session>(); };
    return e;
}

} // namespace quarvin
