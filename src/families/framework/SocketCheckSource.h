#pragma once
// Where the window's dialogs learn whether to check the socket before each
// operation, and the check's plan for their selected device.
#include <string>

#include "catalogue/SelectionState.h"
#include "families/framework/SocketPattern.h"

namespace quarvin {

class SocketCheckSource {
public:
    virtual ~SocketCheckSource() = default;
    // Option > "Check the socket before each operation".
    virtual bool beforeEachOperation() const = 0;
    virtual SocketCheckPlan planFor(const std::string& dialogClass, const SelectionState& selection) const = 0;
};

} // namespace quarvin
