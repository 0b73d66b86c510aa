#include "families/gal/GalSession.h"

namespace quarvin {

const GalRow& GalRowOf(int subType) {
    const bool inTable = subType >= 0 && subType < static_cast<int>(kGalRows.size());
    return kGalRows[static_cast<std::size_t>(inTable ? subType : 0)];
}

formats::FuseGeometry GalSession::geometryOf(int subType) const {
    const GalRow& row = GalRowOf(subType);
    return {static_cast<std::int32_t>(row.fusesPerRow), static_cast<std::int32_t>(row.fuseRows)};
}

int GalSession::vppMillivoltsOf(int subType) const { return GalRowOf(subType).vppMillivolts; }

OperationResult GalSession::runStep(PldStep step, const SessionJob& s) {
    const GalJob job{s.link, GalRowOf(s.selection.subType), s.buffer, s.hooks};
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
