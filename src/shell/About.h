#pragma once
// What the About box says: the program, its version and what it does.
#include <string>

#include "shell/Version.h"

namespace quarvin {

// The About box's text: name and version, the program in a few sentences, and
// where to find more.
std::string AboutText();

} // namespace quarvin
