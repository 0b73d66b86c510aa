#pragma once
// The pinout of the part the virtual box puts in the socket for a device row,
// for the placement picture (families/placement/DevicePicture.h).
#include <string>

#include "families/placement/PinRole.h"

namespace quarvin::sim {

// Nothing (empty part) for rows without a part.
quarvin::PartPinout PartPinoutOf(const std::string& dialogClass, int subType, const std::string& typeName);
// The part the virtual box knows by that name (a logic IC's type); nothing when none.
quarvin::PartPinout PartPinoutOfType(const std::string& partName);

} // namespace quarvin::sim
