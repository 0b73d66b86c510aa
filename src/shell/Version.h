#pragma once
// The program's version, for --version and the About box: the project version,
// followed by the git description of the checkout it was built from, if any.
#include <string>

namespace quarvin {

// "5.37" from a source tree without git; "5.37 (git 1a2b3c4-dirty)" from a checkout.
std::string ProgramVersion();
// The project version alone ("5.37"), as packages and file names use it.
std::string ProjectVersion();
// The first line of a program's --version output: "quarvin-cli 5.37 (git 1a2b3c4)".
std::string VersionLine(const std::string& programName);

} // namespace quarvin
