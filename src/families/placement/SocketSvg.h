#pragma once
// The placement picture as an SVG drawing to the socket's scale (millimetres):
// the socket with its lever end, the part's outline with the notch and pin 1,
// every pin in its role's colour, and the pin names as hover titles.
#include <string>

#include "families/placement/SocketPicture.h"

namespace quarvin {

std::string SocketSvg(const SocketPicture& picture);

} // namespace quarvin
