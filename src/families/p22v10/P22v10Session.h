#pragma once
// The 22V10 operations by name, for the command line.
#include "families/framework/PldSession.h"
#include "families/p22v10/P22v10Dialog.h"

namespace quarvin {

class P22v10Session : public PldSession {
public:
    P22v10Session() : PldSession(true) {}

protected:
    formats::FuseGeometry geometryOf(int subType) const override { return P22v10Geometry(P22v10RowOf(subType)); }
    int vppMillivoltsOf(int subType) const override { return P22v10RowOf(subType).vppMillivolts; }
    OperationResult runStep(PldStep step, const SessionJob& s) override {
        return RunP22v10Step(step, {s.link, P22v10RowOf(s.selection.subType), s.buffer, s.hooks});
    }
};

} // namespace quarvin
