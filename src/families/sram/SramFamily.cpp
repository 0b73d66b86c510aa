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

// The part may still be powered with /CE and /WE high, as the battery-backed
// modules ask of a power-down (DS1245Y: "CE, WE at VIH before Power-Down",
// "VCC slew from VTP to 0V (CE at VIH)"): the ports go low only once the
// shared shut-down has switched Vcc off, as the dialog's close does.
void SramSession::close(LinkState& link) {
    ShutDownSocket(link);
    WriteAllPorts(link, 0);
}

OperationResult SramSession::runStep(MemoryStep step, const SessionJob& s) {
    const SramJob job{s.link, RowOf(s.selection.subType), s.buffer, s.fields, s.hooks};
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
