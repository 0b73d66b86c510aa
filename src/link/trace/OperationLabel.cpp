#include "link/trace/OperationLabel.h"

namespace quarvin {

OperationLabel::OperationLabel(LinkState& link, const std::string& operation) : link_(link) {
    if (link_.port) link_.port->operationChanged(operation);
}

// The port may have changed meanwhile (a lost link closes it): whichever the
// link has now is told.
OperationLabel::~OperationLabel() {
    if (link_.port) link_.port->operationChanged({});
}

} // namespace quarvin
