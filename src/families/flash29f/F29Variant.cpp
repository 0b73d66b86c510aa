#include "families/flash29f/F29Variant.h"

#include <algorithm>
#include <string>

#include "families/flash29f/F29ToggleErase.h"
#include "families/framework/RowLookup.h"
#include "families/placement/SocketPlacement.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

MemoryForm VariantForm() {
    MemoryForm f = F29Form();
    std::erase_if(f.buttons, [](const auto& b) { return b.step == MemoryStep::Unprotect; });
    return f;
}

const F29Row& RowOf(const F29Variant& v, int subType) { return RowOrPlaceholder(v.rows, subType); }

OperationResult RunVariantStep(const F29Variant& v, MemoryStep step, const F29Job& job) {
    switch (step) {
    case MemoryStep::Read: return ReadF29(job);
    case MemoryStep::Blank: return BlankCheckF29Answered(job);
    case MemoryStep::Erase: return EraseF29ByToggleBit(job, v.chipEraseMs);
    case MemoryStep::Program: return ProgramF29(job);
    case MemoryStep::Verify: return VerifyF29(job);
    case MemoryStep::Sum: return SumF29(job);
    default: return OperationResult::refused(std::string(v.familyName) + " has no such step");
    }
}

} // namespace

F29VariantDialog::F29VariantDialog(DeviceContext& ctx, const F29Variant& variant)
    : RowDialog(ctx, variant.formClass, variant.caption, VariantForm(), variant.rows), variant_(variant) {}

void F29VariantDialog::afterStart() {
    ShutDownSocket(link());
    ChooseF29BusMode(link());
}

OperationResult F29VariantDialog::readDevice(const OperationHooks& hooks) {
    return RunVariantStep(variant_, MemoryStep::Read, job(hooks));
}
OperationResult F29VariantDialog::blankCheck(const OperationHooks& hooks) {
    return RunVariantStep(variant_, MemoryStep::Blank, job(hooks));
}
OperationResult F29VariantDialog::program(const OperationHooks& hooks) {
    return RunVariantStep(variant_, MemoryStep::Program, job(hooks));
}
OperationResult F29VariantDialog::verify(const OperationHooks& hooks) {
    return RunVariantStep(variant_, MemoryStep::Verify, job(hooks));
}
OperationResult F29VariantDialog::sum(const OperationHooks& hooks) {
    return RunVariantStep(variant_, MemoryStep::Sum, job(hooks));
}
OperationResult F29VariantDialog::erase(const OperationHooks& hooks) {
    return RunVariantStep(variant_, MemoryStep::Erase, job(hooks));
}

F29VariantSession::F29VariantSession(const F29Variant& v)
    : F29Session(v.familyName,
                 {{MemoryStep::Read, "read the device from address 0 into the buffer from 0 (Length + 1 bytes)"},
                  {MemoryStep::Blank, "check 256-byte blocks from address 0 up to Length; all blank asks for the codes"},
                  {MemoryStep::Erase, "chip erase, the toggle bit polled for up to " +
                                          std::to_string(v.chipEraseMs / 1000) + " s, then the blank check"},
                  {MemoryStep::Program, "program Length + 1 bytes from Buffer Start to Device Start"},
                  {MemoryStep::Verify, "compare Length + 1 bytes of the device with the buffer"},
                  {MemoryStep::Sum, "sum of the whole device"}},
                 {MemoryStep::Program, MemoryStep::Verify},
                 {MemoryStep::Erase, MemoryStep::Blank, MemoryStep::Program, MemoryStep::Verify}),
      variant_(v) {}

std::uint32_t F29VariantSession::lastAddress(int subType) const { return RowOf(variant_, subType).lastAddress; }

OperationResult F29VariantSession::runStep(MemoryStep step, const SessionJob& s) {
    return RunVariantStep(variant_, step,
                          F29Job{s.link, RowOf(variant_, s.selection.subType), s.buffer, s.fields, s.hooks});
}

FamilyEntry F29VariantFamily(const F29Variant& variant) {
    FamilyEntry e;
    e.makeDialog = [&variant](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> {
        return std::make_unique<F29VariantDialog>(ctx, variant);
    };
    e.subTypes = [&variant] {
        std::vector<SubTypeSummary> rows;
        for (const F29Row& r : variant.rows)
            rows.push_back({r.name, r.chip ? r.lastAddress + 1 : 0, 0, r.chip ? r.chip : "",
                            BottomAlignedBySupply(r.supplyPin)});
        return rows;
    };
    e.makeSession = [&variant] { return std::make_unique<F29VariantSession>(variant); };
    return e;
}

} // namespace quarvin
