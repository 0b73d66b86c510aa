#include "families/sram/SramFamily.h"
#include "families/placement/SocketPlacement.h"

#include "families/framework/RowLookup.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

constexpr int kGroundPin = 20;

const SramRow& RowOf(int subType) { return RowOrPlaceholder(kSramRows, subType); }

} // namespace

SramSession::SramSession()
    : MemorySession("the static RAM tester",
                    {{MemoryStep::Read, "read the device from address 0 into the buffer from 0 (Length + 1 bytes)"},
                     {MemoryStep::Program, "write Length + 1 bytes from Buffer Start to Device Start"},
                     {MemoryStep::Verify, "compare Length + 1 bytes of the device with the buffer"},
                     {MemoryStep::Sum, "sum of the whole device"},
                     {MemoryStep::Test, "write a pattern over the whole device and compare the sums (overwrites it)"}},
                    {MemoryStep::Program, MemoryStep::Verify}, {MemoryStep::Program, MemoryStep::Verify}) {}

std::uint32_t SramSession::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

void SramSession::start(LinkState& link) {
    ResetSocket(link);
    if (!link.connected) return;
    SetVppLevel(link, 0);
    ShutDownSocket(link);
    SetBusMode(link, 0);
    ConnectGround(link, kGroundPin);
}

void SramSession::start(LinkState& link, int subType) {
    subType_ = subType;
    start(link);
}

// The part may still be powered: the shut-down the dialog's close does, /CE
// and /WE high until Vcc is off and every other line low before it.
void SramSession::close(LinkState& link) {
    ShutDownSram(link, RowOf(subType_));
}

OperationResult SramSession::runStep(MemoryStep step, const SessionJob& s) {
    subType_ = s.selection.subType;
    const SramJob job{s.link, RowOf(subType_), s.buffer, s.fields, s.hooks};
    switch (step) {
    case MemoryStep::Read: return ReadSram(job);
    case MemoryStep::Program: return WriteSram(job);
    case MemoryStep::Verify: return VerifySram(job);
    case MemoryStep::Sum: return SumSram(job);
    case MemoryStep::Test: return TestSram(job);
    default: return OperationResult::refused("the static RAM tester has no such step");
    }
}

FamilyEntry SramFamily() {
    FamilyEntry e;
    e.makeDialog = [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<SramDialog>(ctx); };
    e.subTypes = [] {
        std::vector<SubTypeSummary> rows;
        for (const SramRow& r : kSramRows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, 0, r.chip ? r.chip : "", BottomAlignedBySupply(r.vccPin)});
        return rows;
    };
    e.makeSession = [] { return std::make_unique<SramSession>(); };
    return e;
}

} // namespace quarvin
