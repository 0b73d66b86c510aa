#pragma once
// The placement picture as text: the socket's 20 rows with their pin numbers, the
// part's outline and pin names, and one role letter beside every socket pin.
#include <string>

#include "families/placement/SocketPicture.h"

namespace quarvin {

std::string SocketText(const SocketPicture& picture);

} // namespace quarvin
