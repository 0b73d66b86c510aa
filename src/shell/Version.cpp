#include "shell/Version.h"

#include "QuarvinVersion.h" // written at build time from the project and git

namespace quarvin {

std::string ProjectVersion() { return QUARVIN_PROJECT_VERSION; }

std::string ProgramVersion() {
    const std::string describe = QUARVIN_GIT_DESCRIPTION;
    return describe.empty() ? ProjectVersion() : ProjectVersion() + " (git " + describe + ")";
}

std::string VersionLine(const std::string& programName) { return programName + " " + ProgramVersion(); }

} // namespace quarvin
