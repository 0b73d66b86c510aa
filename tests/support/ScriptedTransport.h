#pragma once
// A port opener that plays a script per port name: how the open ends and what the
// box on that port answers. Unknown names cannot be opened. Every transport it
// hands out is a RecordingTransport whose log the script keeps.
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "support/RecordingTransport.h"

namespace quarvin::test {

struct PortScript {
    OpenStatus status = OpenStatus::Opened;
    std::shared_ptr<TransportLog> log = std::make_shared<TransportLog>();
    // Queued again at every open, after which reads time out; unset: the log's
    // own replies are left alone.
    std::optional<std::vector<int>> identify;
};

class ScriptedOpener : public PortOpener {
public:
    std::map<std::string, PortScript> ports;
    std::vector<std::string> attempts; // names asked for, in order

    // A port whose box answers each identify command with these bytes; further
    // reads time out unless the test lifts the log's read limit.
    TransportLog& box(const std::string& name, const std::vector<int>& identifyReply,
                      OpenStatus status = OpenStatus::Opened) {
        PortScript& s = ports[name];
        s.status = status;
        s.identify = identifyReply;
        return *s.log;
    }

    OpenedPort open(const std::string& name) override {
        attempts.push_back(name);
        OpenedPort r;
        auto it = ports.find(name);
        if (it == ports.end()) return r;
        r.status = it->second.status;
        if (r.status == OpenStatus::Opened || r.status == OpenStatus::TimeoutsRefused) {
            TransportLog& log = *it->second.log;
            log.closed = false;
            if (const auto& id = it->second.identify) {
                log.replies.assign(id->begin(), id->end());
                log.readLimit = log.reads + static_cast<int>(id->size());
            }
            r.transport = std::make_unique<RecordingTransport>(it->second.log);
        }
        return r;
    }
};

// Identify reply bytes for an 8-character text plus a ninth byte.
inline std::vector<int> identifyReply(const std::string& text, int ninth = 0) {
    std::vector<int> r(text.begin(), text.end());
    r.resize(8, 0);
    r.push_back(ninth);
    return r;
}

} // namespace quarvin::test
