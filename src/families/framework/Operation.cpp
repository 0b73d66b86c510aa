#include "families/framework/Operation.h"

#include <algorithm>

#include "forms/HexText.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

OperationResult OperationResult::done(const std::string& success, std::string note) {
    std::string message = note.empty() ? success : success + " " + note;
    return {Outcome::Done, std::move(message), 0, 0, std::move(note), false};
}

OperationResult OperationResult::stopped(std::uint32_t a) {
    return {Outcome::Stopped, Format("Stopped at %06x", a), a, 0, {}, false};
}

FieldSpan SpanOf(const AddressFields& f, std::uint32_t last) {
    FieldSpan s{f.deviceStart, f.bufferStart, 0, 0};
    if (f.deviceStart > last || f.bufferStart >= kBufferSize) return s;
    const std::uint64_t onDevice =
        std::min<std::uint64_t>(std::uint64_t{f.length} + 1, std::uint64_t{last} - f.deviceStart + 1);
    s.requested = static_cast<std::uint32_t>(onDevice);
    s.count = static_cast<std::uint32_t>(std::min<std::uint64_t>(onDevice, std::uint64_t{kBufferSize} - f.bufferStart));
    return s;
}

std::optional<OperationResult> CheckFieldStarts(const AddressFields& f, std::uint32_t last) {
    if (f.deviceStart > last)
        return OperationResult::refused(
            Format("Device Start %x is beyond the device end %x", f.deviceStart, last));
    if (f.bufferStart >= kBufferSize)
        return OperationResult::refused(
            Format("Buffer Start %x is beyond the buffer end %x", f.bufferStart, kBufferSize - 1));
    return std::nullopt;
}

std::string EndOfBufferNote(const FieldSpan& span) {
    if (!span.endOfBuffer()) return {};
    return Format("%u of %u bytes: end of buffer", span.count, span.requested);
}

OperationResult RunGuarded(LinkState& link, const std::function<OperationResult()>& operation) {
    if (link.lost) return OperationResult::refused(kNotConnectedText);
    try {
        return operation();
    } catch (const LinkLost&) {
        return {Outcome::LinkLost, kNotConnectedText, 0, 0, {}};
    }
}

} // namespace quarvin
