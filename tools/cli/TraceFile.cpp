#include "TraceFile.h"

#include "link/trace/TraceSink.h"

namespace quarvin::cli {

TraceFile OpenTraceFile(const std::string& path) {
    if (path.empty()) return {};
    auto sink = std::make_unique<RingFileTraceSink>(path);
    if (!sink->ok()) return {nullptr, "cannot write the trace file " + path};
    return {std::make_shared<LinkTrace>(std::move(sink), SteadyMicroClock()), {}};
}

void TraceStep(const std::shared_ptr<LinkTrace>& trace, const std::string& step) {
    if (trace) trace->setOperation(step);
}

} // namespace quarvin::cli
