#pragma once
// The logic device families' operations by name, for the command line: read,
// erase, blank, program, verify, secure and auto over the fuse map.
#include <vector>

#include "families/framework/FamilySession.h"
#include "families/framework/PldDialog.h"

namespace quarvin {

// The step's name on the command line ("read", "secure", ...).
const char* PldStepName(PldStep step);

class PldSession : public FamilySession {
public:
    // eraseSkipsBlank: auto runs blank only when erase is not among its steps.
    explicit PldSession(bool eraseSkipsBlank) : eraseSkipsBlank_(eraseSkipsBlank) {}

    std::vector<FamilyOperationInfo> operations() const override;
    std::vector<FamilyOptionInfo> options() const override;
    std::string setOption(const std::string& name, const std::string& value) override;
    // The last fuse of the map.
    std::uint32_t lastAddress(int subType) const override;
    std::optional<formats::FuseGeometry> fuseGeometry(int subType) const override { return geometryOf(subType); }
    OperationResult run(const std::string& operation, const SessionJob& job) override;
    using FamilySession::start;
    // As the dialog's start: the reset socket, then ground, the 5 V level and the row's Vpp level.
    void start(LinkState& link, int subType) override;

protected:
    virtual formats::FuseGeometry geometryOf(int subType) const = 0;
    virtual int vppMillivoltsOf(int subType) const = 0;
    virtual OperationResult runStep(PldStep step, const SessionJob& job) = 0;

private:
    OperationResult runAuto(const SessionJob& job);

    bool eraseSkipsBlank_;
    std::vector<PldStep> auto_{PldStep::Blank, PldStep::Program, PldStep::Verify};
};

} // namespace quarvin
