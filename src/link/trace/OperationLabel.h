#pragma once
// Names the operation that runs while this object lives, for a trace of the
// link's port: every byte sent and received meanwhile is labelled with it, and
// the label ends with the object. The window's device operations are labelled
// this way; the command line names its steps itself.
#include <string>

#include "link/commands/LinkState.h"

namespace quarvin {

class OperationLabel {
public:
    OperationLabel(LinkState& link, const std::string& operation);
    ~OperationLabel();
    OperationLabel(const OperationLabel&) = delete;
    OperationLabel& operator=(const OperationLabel&) = delete;

private:
    LinkState& link_;
};

} // namespace quarvin
