#pragma once
// The GAL16V8/20V8 operations by name, for the command line.
#include "families/framework/PldSession.h"
#include "families/gal/GalOperations.h"

namespace quarvin {

class GalSession : public PldSession {
public:
    GalSession() : PldSession(false) {}

protected:
    formats::FuseGeometry geometryOf(int subType) const override;
    int vppMillivoltsOf(int subType) const override;
    OperationResult runStep(PldStep step, const SessionJob& job) override;
};

// The row of a sub-type; the placeholder row 0 outside the table.
const GalRow& GalRowOf(int subType);

} // namespace quarvin
