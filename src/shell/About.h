#pragma once
// What the About box says: the program, its version and what it does.
#include <string>

namespace quarvin {

// The program's version as the build names it ("5.37"); the one place that says it.
std::string ProgramVersion();
// The About box's text: name and version, the program in a few sentences, and
// where to find more.
std::string AboutText();

} // namespace quarvin
