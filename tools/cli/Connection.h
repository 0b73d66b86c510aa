#pragma once
// The link of one command-line run: a named port, the program's port search, or
// soft-run mode; the embedded virtual box answers the name "VBOX".
#include <memory>
#include <optional>
#include <string>

#include "families/framework/FamilySession.h"
#include "link/commands/LinkState.h"
#include "link/trace/LinkTrace.h"
#include "platform/Platform.h"
#include "sim/Box.h"

namespace quarvin::cli {

struct Connection {
    LinkState link;
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>(); // the embedded box
    bool onVirtualBox() const;
};

enum class ConnectResult { Connected, SoftRun, NoBox };

struct ConnectRequest {
    std::optional<std::string> port; // empty: search as the program does, without the start question
    bool softRun = false;
    std::string programDir;          // the port file's folder
    std::shared_ptr<LinkTrace> trace; // every port tried and every byte, when set
};

// Connects and brings the box to its idle state. Messages (no box, lost link) go
// to `prompts`, which stays the link's.
ConnectResult Connect(Connection& c, const ConnectRequest& request, Prompts& prompts, SystemInfo& system);

// The socket switched off and the box powered down, as closing the program does;
// a link lost on the way is no reason to complain again.
void PowerDownSocket(LinkState& link);
// The same after a family's operations: the family's own close first.
void PowerDownSocket(LinkState& link, FamilySession& session);

} // namespace quarvin::cli
