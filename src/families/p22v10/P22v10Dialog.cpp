#include "families/p22v10/P22v10Dialog.h"
#include "forms/Texts.h"

namespace quarvin {

const P22v10Row& P22v10RowOf(int subType) {
    const bool inTable = subType >= 0 && subType < static_cast<int>(kP22v10Rows.size());
    return kP22v10Rows[static_cast<std::size_t>(inTable ? subType : 0)];
}

formats::FuseGeometry P22v10Geometry(const P22v10Row& row) {
    return {static_cast<std::int32_t>(row.fusesPerRow), static_cast<std::int32_t>(row.fuseRows)};
}

OperationResult RunP22v10Step(PldStep step, const P22v10Job& job) {
    switch (step) {
    case PldStep::Read: return ReadP22v10(job);
    case PldStep::Erase: return EraseP22v10(job);
    case PldStep::Blank: return BlankP22v10(job);
    case PldStep::Program: return ProgramP22v10(job);
    case PldStep::Verify: return VerifyP22v10(job);
    case PldStep::Secure: return SecureP22v10(job);
    }
    return OperationResult::refused(kPldBadRowText);
}

// Auto runs Blank only when Erase is not ticked.
P22v10Dialog::P22v10Dialog(DeviceContext& ctx) : PldDialog(ctx, kFormClass, QV_TEXT("PLD  22v10"), {"Secrity", QV_TEXT("Autp Pro"), true}) {}

const P22v10Row& P22v10Dialog::row() const { return P22v10RowOf(selectedRow(static_cast<int>(kP22v10Rows.size()))); }

formats::FuseGeometry P22v10Dialog::geometry() const { return P22v10Geometry(row()); }

OperationResult P22v10Dialog::run(PldStep step, const OperationHooks& hooks) {
    return RunP22v10Step(step, {link(), row(), buffer(), hooks});
}

} // namespace quarvin
