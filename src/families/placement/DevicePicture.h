#pragma once
// The placement picture of a selected device: its family's row gives where the
// part sits and where the supplies go; a pinout source (the virtual box's chip
// models) gives the pin names and the other roles.
#include <functional>
#include <string>

#include "families/placement/SocketPicture.h"

namespace quarvin {

using PinoutSource = std::function<PartPinout(const std::string& dialogClass, int subType, const std::string& typeName)>;

// `device` is the text the picture is titled with. Families that are not built,
// sub-types outside the family's rows and rows without placement data give a
// picture whose placement is not known.
SocketPicture DevicePicture(const std::string& device, const std::string& dialogClass, int subType,
                            const std::string& typeName, const PinoutSource& pinouts);

} // namespace quarvin
