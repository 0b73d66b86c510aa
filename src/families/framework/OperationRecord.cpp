#include "families/framework/OperationRecord.h"

#include <algorithm>

#include "buffer/RomHash.h"

namespace quarvin {

const char* OutcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Done: return "ok";
    case Outcome::Failed: return "failed";
    case Outcome::Stopped: return "stopped";
    case Outcome::Refused: return "refused";
    case Outcome::LinkLost: break;
    }
    return "link lost";
}

bool MovesBufferData(const std::string& operation) {
    return operation == "read" || operation == "program" || operation == "verify" || operation == "auto";
}

OperationEntry DescribeOperation(const OperationRun& run) {
    OperationEntry e;
    e.port = run.link.connected || run.link.lost ? run.link.savedPortName : "soft run";
    e.device = run.selection.typeName;
    e.row = run.selection.subType;
    e.operation = run.operation;
    e.result = OutcomeName(run.result.outcome);
    e.message = run.result.message;
    if (run.result.outcome == Outcome::Failed || run.result.outcome == Outcome::Stopped)
        e.failureAddress = run.result.address;
    e.serial = run.serial;
    if (MovesBufferData(run.operation) && run.fields && MainBuffer::contains(run.fields->bufferStart)) {
        const std::uint32_t first = run.fields->bufferStart;
        const std::uint32_t last =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{first} + run.fields->length, kBufferLast));
        e.rangeFirst = first;
        e.rangeLast = last;
        // A refused operation moved nothing.
        if (run.result.outcome != Outcome::Refused) e.crc32 = romHash(RomHashKind::Crc32, run.buffer, first, last);
    }
    return e;
}

void RecordOperation(OperationLog* log, const OperationRun& run) {
    if (log) log->record(DescribeOperation(run));
}

} // namespace quarvin
