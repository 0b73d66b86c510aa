#pragma once
// The socket check: before any work, with nothing powered, tell a good part from
// an empty socket, a pin without contact, a part turned round or one seated too
// high (SocketPattern.h says what it expects). When the socket is OK it leaves
// the box's registers as it found them; otherwise every supply switch stays
// open and every pin released.
#include "families/framework/Operation.h"
#include "families/framework/SocketPattern.h"
#include "link/commands/LinkState.h"

namespace quarvin {

// "Socket OK" (done), or the failure naming what is wrong; refused when the plan
// has no check. A lost link throws LinkLost.
OperationResult CheckSocket(LinkState& link, const SocketCheckPlan& plan);

// The same decision from levels already read: `read(held)` holds the given
// socket pins low and returns what the socket reads. The wire steps above use it.
struct SocketReader {
    virtual ~SocketReader() = default;
    virtual SocketLevels holdLowAndRead(const std::vector<int>& held) = 0;
};
OperationResult JudgeSocket(const SocketCheckPlan& plan, SocketReader& reader);

} // namespace quarvin
