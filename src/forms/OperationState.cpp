#include "forms/OperationState.h"

#include <map>

namespace quarvin {

namespace {
std::map<int, OperationState::Listener>& Listeners() {
    static std::map<int, OperationState::Listener> listeners;
    return listeners;
}
int nextListenerId = 1;
} // namespace

int OperationState::depth_ = 0;

int OperationState::addListener(Listener listener) {
    const int id = nextListenerId++;
    Listeners()[id] = std::move(listener);
    return id;
}

void OperationState::removeListener(int id) { Listeners().erase(id); }

void OperationState::setDepth(int depth) {
    const bool was = running();
    depth_ = depth;
    if (was == running()) return;
    // A copy, so that a listener may remove itself while being told.
    const auto listeners = Listeners();
    for (const auto& [id, listener] : listeners) listener(running());
}

OperationState::Scope::Scope() { setDepth(depth_ + 1); }
OperationState::Scope::~Scope() { setDepth(depth_ - 1); }

OperationState::Suspension::Suspension() : outer_(depth_) { setDepth(0); }
OperationState::Suspension::~Suspension() { setDepth(outer_); }

} // namespace quarvin
