#pragma once
// The GAL16V8/20V8 dialog (form class "TGALx", family name "GAL3M", caption "PLD 16v8,20v8").
#include "families/framework/PldDialog.h"
#include "families/gal/GalOperations.h"

namespace quarvin {

class GalDialog : public PldDialog {
public:
    static constexpr const char* kFormClass = "TGALx";

    explicit GalDialog(DeviceContext& ctx);

    const GalRow& row() const;

protected:
    formats::FuseGeometry geometry() const override;
    int vppMillivolts() const override { return row().vppMillivolts; }
    std::string deviceText() const override { return ctx_.selection.description; }
    OperationResult run(PldStep step, const OperationHooks& hooks) override;
};

} // namespace quarvin
