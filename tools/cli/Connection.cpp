#include "Connection.h"

#include "link/LinkStartup.h"
#include "link/commands/LinkOps.h"
#include "link/serial/PosixSerial.h"
#include "link/trace/TracingTransport.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::cli {

namespace {

// The port search asks whether to connect at all; a command line that did not
// say --soft-run means Yes. Everything else reaches the console.
class SearchPrompts : public Prompts {
public:
    explicit SearchPrompts(Prompts& console) : console_(console) {}
    void message(const std::string& text, const std::string& title) override { console_.message(text, title); }
    bool askYesNo(const std::string& text, const std::string& title) override {
        return text == StartQuestion || console_.askYesNo(text, title);
    }
    bool askYesCancel(const std::string& text, const std::string& title) override {
        return console_.askYesCancel(text, title);
    }
    void beep() override { console_.beep(); }

private:
    Prompts& console_;
};

} // namespace

bool Connection::onVirtualBox() const { return link.connected && link.savedPortName == sim::VirtualPortName; }

ConnectResult Connect(Connection& c, const ConnectRequest& request, Prompts& prompts, SystemInfo& system) {
    c.link.prompts = &prompts;
    if (request.softRun) return ConnectResult::SoftRun;
    sim::VirtualPortOpener ports(std::make_unique<PosixPortOpener>(), c.box);
    TracingPortOpener traced(ports, request.trace);
    PortOpener& opener = request.trace ? static_cast<PortOpener&>(traced) : ports;
    SearchPrompts searchPrompts(prompts);
    const LinkEnvironment env{&searchPrompts, &system, &opener, request.programDir, {}};
    try {
        if (request.port) {
            if (OpenPort(c.link, env, *request.port) != 1) return ConnectResult::NoBox;
            SendIdleState(c.link);
        } else {
            RunLinkStartup(c.link, env);
        }
    } catch (const LinkLost&) {
        return ConnectResult::NoBox;
    }
    c.link.prompts = &prompts;
    return c.link.connected ? ConnectResult::Connected : ConnectResult::NoBox;
}

void PowerDownSocket(LinkState& link, FamilySession& session) {
    try {
        session.close(link);
        PowerDown(link);
    } catch (const LinkLost&) {
        // Already said when it was lost.
    }
}

void PowerDownSocket(LinkState& link) {
    try {
        ShutDownSocket(link);
        PowerDown(link);
    } catch (const LinkLost&) {
        // Already said when it was lost.
    }
}

} // namespace quarvin::cli
