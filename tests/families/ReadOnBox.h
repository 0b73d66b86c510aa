#pragma once
// One guarded "read" of a family's row on a virtual box, with the buffer's first
// bytes set to 0x11 beforehand, so that a test can see what the read stored.
#include <algorithm>
#include <cstdint>
#include <memory>

#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "sim/Box.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::test {

struct ReadOnBoxRun {
    OperationResult result;
    LinkState link;
    std::unique_ptr<MainBuffer> buffer;
};

inline ReadOnBoxRun ReadOnBox(const std::shared_ptr<sim::Box>& box, const char* family, int subType, std::uint32_t span,
                              int readAheadWindow) {
    ReadOnBoxRun run;
    auto session = Families().at(family).makeSession();
    run.link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    run.link.connected = 1;
    run.link.readAheadWindow = readAheadWindow;
    run.buffer = std::make_unique<MainBuffer>();
    std::fill_n(run.buffer->data(), span, 0x11);
    SelectionState selection;
    selection.subType = subType;
    const OperationHooks hooks;
    SessionJob job{run.link, *run.buffer, selection, AddressFields{0, 0, span - 1}, hooks, nullptr, {}};
    session->start(run.link);
    run.result = RunGuarded(run.link, [&] { return session->run("read", job); });
    return run;
}

} // namespace quarvin::test
