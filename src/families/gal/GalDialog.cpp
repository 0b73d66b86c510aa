#include "families/gal/GalDialog.h"
#include "forms/Texts.h"

namespace quarvin {

GalDialog::GalDialog(DeviceContext& ctx) : PldDialog(ctx, kFormClass, QV_TEXT("PLD 16v8,20v8"), {"Sec", "Auto Pro", false}) {}

const GalRow& GalDialog::row() const {
    return kGalRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kGalRows.size())))];
}

formats::FuseGeometry GalDialog::geometry() const {
    return {static_cast<std::int32_t>(row().fusesPerRow), static_cast<std::int32_t>(row().fuseRows)};
}

OperationResult GalDialog::run(PldStep step, const OperationHooks& hooks) {
    const GalJob job{link(), row(), buffer(), hooks};
    switch (step) {
    case PldStep::Read: return ReadGal(job);
    case PldStep::Erase: return EraseGal(job);
    case PldStep::Blank: return BlankGal(job);
    case PldStep::Program: return ProgramGal(job);
    case PldStep::Verify: return VerifyGal(job);
    case PldStep::Secure: return SecureGal(job);
    }
    return OperationResult::refused(kPldBadRowText);
}

} // namespace quarvin
