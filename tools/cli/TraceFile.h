#pragma once
// --trace FILE: the link trace of one command-line run.
#include <memory>
#include <string>

#include "link/trace/LinkTrace.h"

namespace quarvin::cli {

struct TraceFile {
    std::shared_ptr<LinkTrace> trace; // none when no file was asked for or it failed
    std::string error;                // why the file could not be made
};

TraceFile OpenTraceFile(const std::string& path);

// Labels the following lines with the step the command is at (no trace: nothing).
void TraceStep(const std::shared_ptr<LinkTrace>& trace, const std::string& step);

} // namespace quarvin::cli
