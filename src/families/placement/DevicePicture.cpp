#include "families/placement/DevicePicture.h"

#include "families/framework/FamilyDialog.h"

namespace quarvin {

SocketPicture DevicePicture(const std::string& device, const std::string& dialogClass, int subType,
                            const std::string& typeName, const PinoutSource& pinouts) {
    const auto family = Families().find(dialogClass);
    if (family == Families().end() || subType < 0) return MakeSocketPicture(device, {}, {}, {});
    const auto rows = family->second.subTypes();
    if (subType >= static_cast<int>(rows.size())) return MakeSocketPicture(device, {}, {}, {});
    const SubTypeSummary& row = rows[static_cast<std::size_t>(subType)];
    PartPinout part = pinouts ? pinouts(dialogClass, subType, typeName) : PartPinout{};
    if (part.part.empty()) part.part = row.chip;
    return MakeSocketPicture(device, part.part, row.placement, part.pins);
}

} // namespace quarvin
