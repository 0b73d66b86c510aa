#include "families/framework/SocketCheckSession.h"

#include "families/framework/SocketCheck.h"

namespace quarvin {

SocketCheckPlan SocketCheckPlanFor(const FamilyEntry& family, const std::string& dialogClass,
                                   const SelectionState& selection, const PartPinoutLookup& pinouts) {
    if (!family.noSocketCheck.empty()) return PlanSocketCheck({}, {}, family.noSocketCheck);
    SocketPlacement placement;
    if (family.subTypes) {
        const auto rows = family.subTypes();
        if (selection.subType >= 0 && static_cast<std::size_t>(selection.subType) < rows.size())
            placement = rows[static_cast<std::size_t>(selection.subType)].placement;
    }
    const PartPinout part = pinouts ? pinouts(dialogClass, selection.subType, selection.typeName) : PartPinout{};
    return PlanSocketCheck(placement, part);
}

std::vector<FamilyOperationInfo> SocketCheckSession::operations() const {
    auto ops = inner_.operations();
    if (!inner_.has(kCheckOperation))
        ops.push_back({kCheckOperation, kCheckOperationHelp});
    return ops;
}

OperationResult SocketCheckSession::run(const std::string& operation, const SessionJob& job) {
    if (operation != kCheckOperation) return inner_.run(operation, job);
    const SocketCheckPlan plan = planOf_(job.selection);
    return RunGuarded(job.link, [&] { return CheckSocket(job.link, plan); });
}

} // namespace quarvin
