#include "families/flash29c/At29Family.h"

#include "families/placement/SocketPlacement.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

At29Session::At29Session(std::span<const At29Row> rows, bool ownCodeRead)
    : SpeedOptionSession("the wait after each page write, times the 10 ms program cycle (\"Pro time\")", 
          "the AT29C family",
          {{MemoryStep::Read, "read the device from address 0 into the buffer from 0 (Length + 1 bytes, up to its end)"},
           {MemoryStep::Blank, "check 256-byte blocks from address 0 up to Length"},
           {MemoryStep::Erase, "data protection off, then pages of FF over every block that is not blank (Blank tells)"},
           {MemoryStep::Program, "data protection off, page writes over the pages of Device Start .. + Length, every "
                                 "4 KiB read back"},
           {MemoryStep::Verify, "compare Length + 1 bytes of the device with the buffer"},
           {MemoryStep::Sum, "sum of the whole device"},
           {MemoryStep::Protect, "software data protection on (page 0 rewritten)"},
           {MemoryStep::Unprotect, "software data protection off (page 0 rewritten)"}},
          {MemoryStep::Program, MemoryStep::Verify},
          {MemoryStep::Erase, MemoryStep::Blank, MemoryStep::Program, MemoryStep::Verify}),
      rows_(rows), ownCodeRead_(ownCodeRead) {}

const At29Row& At29Session::rowOf(int subType) const {
    const bool inTable = subType > 0 && static_cast<std::size_t>(subType) < rows_.size();
    return rows_[inTable ? static_cast<std::size_t>(subType) : 0];
}

std::uint32_t At29Session::lastAddress(int subType) const { return rowOf(subType).lastAddress; }

void At29Session::start(LinkState& link) {
    ResetSocket(link);
    if (!link.connected) return;
    SetVppLevel(link, 0);
    ShutDownSocket(link);
}

std::optional<std::string> At29Session::readCodes(const SessionJob& job) {
    if (!ownCodeRead_) return std::nullopt;
    return ReadAt29Codes(job.link, rowOf(job.selection.subType));
}

OperationResult At29Session::runStep(MemoryStep step, const SessionJob& s) {
    return RunPageWriteStep(kAt29Operations, step, s, rowOf(s.selection.subType), speedIndex(), "the AT29C family");
}

namespace {

template <class Dialog>
FamilyEntry At29Entry(std::span<const At29Row> rows, bool ownCodeRead) {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<Dialog>(ctx); };
    e.subTypes = [rows] {
        std::vector<SubTypeSummary> summaries;
        for (const At29Row& r : rows)
            summaries.push_back({r.name, r.placeholder() ? 0 : r.lastAddress + 1, 0, r.chip ? r.chip : "",
                                 BottomAlignedBySupply(r.supplyPin)});
        return summaries;
    };
    e.makeSession = [rows, ownCodeRead] { return std::make_unique<At29Session>(rows, ownCodeRead); };
    return e;
}

} // namespace

FamilyEntry At29cxFamily() { return At29Entry<At29cxDialog>(kAt29cxRows, false); }
FamilyEntry At29c256Family() { return At29Entry<At29c256Dialog>(kAt29c256Rows, true); }

} // namespace quarvin
