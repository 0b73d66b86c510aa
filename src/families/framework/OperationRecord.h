#pragma once
// The run log's entry of an operation that has ended, made the same way for a
// dialog's button and for the command line, so that no family needs code of its
// own to be logged.
#include <string>

#include "catalogue/SelectionState.h"
#include "families/framework/Operation.h"
#include "platform/OperationLog.h"

namespace quarvin {

// "ok", "failed", "stopped", "refused", "link lost".
const char* OutcomeName(Outcome outcome);

// Whether an operation moves the buffer's bytes to or from the chip (read,
// program, verify, auto): its entry carries the range and its CRC-32.
bool MovesBufferData(const std::string& operation);

struct OperationRun {
    const std::string& operation;
    const OperationResult& result;
    const LinkState& link;
    const SelectionState& selection;
    const MainBuffer& buffer;
    // The dialog's three fields; nothing for the dialogs that always work on the
    // whole part (their entries carry no range).
    std::optional<AddressFields> fields;
    std::string serial; // the serial number this run wrote, if any
};

OperationEntry DescribeOperation(const OperationRun& run);

// Records the run when a log is given.
void RecordOperation(OperationLog* log, const OperationRun& run);

} // namespace quarvin
