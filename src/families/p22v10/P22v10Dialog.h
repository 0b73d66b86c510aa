#pragma once
// The 22V10 dialog (form class "TP22V10x", family name "P22V10", caption "PLD  22v10").
#include "families/framework/PldDialog.h"
#include "families/p22v10/P22v10Operations.h"

namespace quarvin {

class P22v10Dialog : public PldDialog {
public:
    static constexpr const char* kFormClass = "TP22V10x";

    explicit P22v10Dialog(DeviceContext& ctx);

    const P22v10Row& row() const;

protected:
    formats::FuseGeometry geometry() const override;
    int vppMillivolts() const override { return row().vppMillivolts; }
    std::string deviceText() const override { return ctx_.selection.description; }
    OperationResult run(PldStep step, const OperationHooks& hooks) override;
};

// The row of a sub-type; the placeholder row 0 outside the table.
const P22v10Row& P22v10RowOf(int subType);
formats::FuseGeometry P22v10Geometry(const P22v10Row& row);
OperationResult RunP22v10Step(PldStep step, const P22v10Job& job);

} // namespace quarvin
