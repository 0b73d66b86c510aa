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
    FieldSpan s{f.deviceStart, f.bufferStart, 0, 0, std::uint64_t{f.length} + 1};
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
    if (span.endOfBuffer())
        return Format("%u of %llu bytes: end of buffer", span.count, static_cast<unsigned long long>(span.asked));
    if (span.endOfDevice())
        return Format("%u of %llu bytes: end of device", span.count, static_cast<unsigned long long>(span.asked));
    return {};
}

namespace {

// The link of the operation RunGuarded runs on this thread, for the progress
// points of its hooks; restored on the way out, as guards may nest.
thread_local LinkState* guardedLink = nullptr;

class GuardedLinkScope {
public:
    explicit GuardedLinkScope(LinkState& link) : previous_(guardedLink) { guardedLink = &link; }
    ~GuardedLinkScope() { guardedLink = previous_; }
    GuardedLinkScope(const GuardedLinkScope&) = delete;
    GuardedLinkScope& operator=(const GuardedLinkScope&) = delete;

private:
    LinkState* previous_;
};

void ConfirmGuardedLinkIfLongQuiet() {
    if (guardedLink) ConfirmLinkIfLongQuiet(*guardedLink);
}

OperationResult LinkLostResult() { return {Outcome::LinkLost, kNotConnectedText, 0, 0, {}, false}; }

} // namespace

void OperationHooks::show(std::uint32_t address, std::uint32_t last) const {
    ConfirmGuardedLinkIfLongQuiet();
    if (progress) progress(address, last);
}

bool OperationHooks::stop() const {
    ConfirmGuardedLinkIfLongQuiet();
    return stopRequested && stopRequested();
}

OperationResult RunGuarded(LinkState& link, const std::function<OperationResult()>& operation) {
    if (link.lost) return OperationResult::refused(kNotConnectedText);
    GuardedLinkScope scope(link);
    const std::uint64_t sentBefore = link.bytesSent;
    try {
        OperationResult result = operation();
        // An operation that sent nothing (a refusal) sends nothing now either.
        if (link.bytesSent != sentBefore) ConfirmLink(link);
        // A lost link an operation caught itself still ends it as lost.
        if (link.lost) return LinkLostResult();
        return result;
    } catch (const LinkLost&) {
        return LinkLostResult();
    }
}

} // namespace quarvin
