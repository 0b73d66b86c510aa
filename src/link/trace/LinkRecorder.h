#pragma once
// "Record the link" in the link diagnostics: a trace file switched on and off
// while the program runs. On: the port the link has now is traced from here on,
// and so is every port opened later (Reconnect). Off: the file is complete and
// the link's port is handed back untraced.
#include <cstdint>
#include <memory>
#include <string>

#include "link/commands/LinkState.h"
#include "link/trace/LinkTrace.h"
#include "link/trace/TraceSink.h"

namespace quarvin {

class LinkRecorder {
public:
    explicit LinkRecorder(MicroClock clock = SteadyMicroClock(), std::uint64_t limitBytes = DefaultTraceLimitBytes);

    // The opener to search ports with: `inner`, traced while recording.
    PortOpener& opener(PortOpener& inner);

    // Starts a trace file at path; false when it cannot be created.
    bool start(LinkState& link, const std::string& path);
    void stop(LinkState& link);
    bool recording() const { return trace_ != nullptr; }
    const std::string& path() const { return path_; }

private:
    class Opener : public PortOpener {
    public:
        explicit Opener(LinkRecorder& recorder) : recorder_(recorder) {}
        OpenedPort open(const std::string& name) override;
        PortOpener* inner = nullptr;

    private:
        LinkRecorder& recorder_;
    };

    MicroClock clock_;
    std::uint64_t limit_;
    std::shared_ptr<LinkTrace> trace_;
    std::string path_;
    Opener opener_{*this};
};

} // namespace quarvin
