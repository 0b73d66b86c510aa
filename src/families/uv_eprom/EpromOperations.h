#pragma once
// The UV EPROM operations as functions of the link, the row, the address fields,
// the buffer and the hooks; the dialog and the command line both call these.
#include <optional>

#include "families/framework/MemorySteps.h"
#include "families/framework/Operation.h"
#include "families/uv_eprom/EpromRows.h"

namespace quarvin {

// The running texts, which the families built on these operations word their own way.
struct EpromTexts {
    bool repaintReading = false;       // Read paints "Reading..." at once
    const char* verifying = "Verify...";
    const char* summing = "Check Sum";
};

struct EpromJob {
    LinkState& link;
    const EpromRow& row;
    MainBuffer& buffer;
    AddressFields fields;
    const OperationHooks& hooks;
    EpromTexts texts = {};
};

struct EpromProgramOptions {
    int proTimeIndex = 0;       // "Pro time": 0 = "1 time" .. 4 = "5 times"
    bool checkEachByte = true;  // "Check one by one"; false = "Verify after all"
};

// Reads the device from address 0 into the buffer from offset 0,
// min(Length, last address) + 1 bytes.
OperationResult ReadEprom(const EpromJob& job);
// Checks the whole device, page by page.
OperationResult BlankCheckEprom(const EpromJob& job);
// Programs Length + 1 bytes from Buffer Start to Device Start.
OperationResult ProgramEprom(const EpromJob& job, const EpromProgramOptions& options);
// Compares Length + 1 bytes of the device from Device Start with the buffer.
OperationResult VerifyEprom(const EpromJob& job);

// The program loop of the EPROM program commands over the span (address set at
// each page start), each byte's read-back compared when checkEachByte; a stop or
// a failed byte powers down after programming and gives the result, else nothing.
std::optional<OperationResult> ProgramEpromBytes(LinkState& link, const EpromRow& row, const MainBuffer& buffer,
                                                 const FieldSpan& span, int pulses, bool checkEachByte,
                                                 const OperationHooks& hooks);
// The 32-bit sum of the whole device's page sums: "Sum = %08x".
OperationResult SumEprom(const EpromJob& job);

// Runs one of the operations above for the 27xxx rows, whose parts rate their
// signal pins against Vcc ("-0.6 V to Vcc + 0.6 V"): every Vcc switch opens
// only after the ports went low, and the operation ends with every port low.
template <class Operation> OperationResult WithPortsLow(const EpromJob& job, Operation operation) {
    return PortsLowAroundVccOff(job.link, [&] { return operation(job); });
}

} // namespace quarvin
