#include "DeviceChoice.h"

#include "catalogue/DispatchTable.h"
#include "families/framework/SocketCheckSession.h"
#include "sim/PartPinouts.h"
#include "sim/SimFamily.h"

namespace quarvin::cli {

namespace {

std::string Candidates(const std::vector<DeviceEntry>& found) {
    std::string text;
    for (const DeviceEntry& e : found) text += "\n  " + e.maker + "/" + e.type + "  (" + CategoryName(e.category) + ")";
    return text;
}

DeviceChoice ByDialogClass(const Options& o, const std::optional<std::vector<DeviceEntry>>& entries) {
    const auto it = Families().find(o.dialogClass);
    if (it == Families().end()) return {std::nullopt, "no built family has the dialog class " + o.dialogClass};
    const auto rows = it->second.subTypes();
    int subType = o.subType;
    // Without --sub-type, a --chip of the family names its row.
    if (subType == 0 && !o.chip.empty())
        if (const sim::ChipOffer* offer = sim::FindOffer(o.chip); offer && offer->family == o.dialogClass)
            subType = offer->subType;
    const int first = it->second.firstSubType;
    if (subType < first || subType >= static_cast<int>(rows.size()))
        return {std::nullopt, o.dialogClass + " has sub-types " + std::to_string(first) + ".." +
                                  std::to_string(rows.size() - 1) + ", not " + std::to_string(subType)};
    ChosenDevice d;
    d.dialogClass = o.dialogClass;
    d.family = &it->second;
    d.selection.subType = subType;
    d.selection.typeName = rows[static_cast<std::size_t>(subType)].name;
    for (const auto& row : DispatchTable)
        if (o.dialogClass == row.dialog) {
            d.selection.family = row.family;
            break;
        }
    // The category of the family's first listed device, as its selection would set it.
    if (entries)
        for (const DeviceEntry& e : *entries) {
            const char* dialog = DialogClassOf(SelectionOf(e).family);
            if (dialog && o.dialogClass == dialog) {
                d.category = e.category;
                break;
            }
        }
    return {d, {}};
}

} // namespace

DeviceChoice ChooseDevice(const Options& o, const std::optional<std::vector<DeviceEntry>>& entries,
                          const std::string& listPath) {
    if (!o.dialogClass.empty()) return ByDialogClass(o, entries);
    if (!entries) return {std::nullopt, "No DEVICEx.LST file! (" + listPath + ")"};
    const std::vector<DeviceEntry> found = FindDevice(*entries, o.device);
    if (found.empty()) return {std::nullopt, "no device '" + o.device + "' in " + listPath + " (see quarvin-cli devices)"};
    if (found.size() > 1)
        return {std::nullopt, "'" + o.device + "' names " + std::to_string(found.size()) +
                                  " devices; give one as MAKER/TYPE:" + Candidates(found)};
    ChosenDevice d;
    d.selection = SelectionOf(found.front());
    d.category = found.front().category;
    const char* dialog = DialogClassOf(d.selection.family);
    if (!dialog) return {std::nullopt, d.selection.description + ": no device family is named '" + d.selection.family + "'"};
    d.dialogClass = dialog;
    const auto it = Families().find(d.dialogClass);
    if (it == Families().end())
        return {std::nullopt, d.selection.description + ": this device family is not available in this version."};
    d.family = &it->second;
    if (const std::string outside = SubTypeOutsideTable(*d.family, d.dialogClass, d.selection.subType); !outside.empty())
        return {std::nullopt, d.selection.description + ": " + outside};
    return {d, {}};
}

SocketCheckPlan CheckPlanOf(const ChosenDevice& d) {
    return SocketCheckPlanFor(*d.family, d.dialogClass, d.selection, sim::PartPinoutOf);
}

std::vector<FamilyOperationInfo> OperationsOf(const ChosenDevice& d, const FamilySession& session,
                                              bool withRefusedCheck) {
    auto ops = session.operations();
    if (session.has(kCheckOperation)) return ops;
    const SocketCheckPlan plan = CheckPlanOf(d);
    if (plan.refusal.empty())
        ops.push_back({kCheckOperation, kCheckOperationHelp});
    else if (withRefusedCheck)
        ops.push_back({kCheckOperation, plan.refusal});
    return ops;
}

} // namespace quarvin::cli
