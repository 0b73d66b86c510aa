#pragma once
// What every device operation takes and gives back, whoever runs it (a family
// dialog or the command line): the three address fields, the hooks through which
// it reports progress and learns of a stop request, and its result.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "buffer/MainBuffer.h"
#include "link/commands/LinkState.h"

namespace quarvin {

enum class Outcome {
    Done,     // the work was done; the message may still say it was cut short
    Failed,   // the device failed a check (message names where)
    Stopped,  // the user asked to stop
    Refused,  // nothing was sent: bad fields, no program command, lost link
    LinkLost, // the box stopped answering in the middle
};

struct OperationResult {
    Outcome outcome = Outcome::Done;
    std::string message;       // the text the dialog's Message field shows
    std::uint32_t address = 0; // where a failure or stop happened
    std::uint32_t value = 0;   // what the operation read: a sum, a code
    std::string note;          // a done run that did less than asked says so here
    // Done, but nothing on the chip was read back (an erase pulse with no check):
    // the failure flag stays as it was, and Auto checks blank right after it.
    bool unchecked = false;

    bool ok() const { return outcome == Outcome::Done; }
    // Done; a note is added to the success text.
    static OperationResult done(const std::string& success, std::string note = {});
    static OperationResult doneUnchecked(std::string text) { return {Outcome::Done, std::move(text), 0, 0, {}, true}; }
    static OperationResult failed(std::string m, std::uint32_t a) {
        return {Outcome::Failed, std::move(m), a, 0, {}, false};
    }
    static OperationResult refused(std::string m) { return {Outcome::Refused, std::move(m), 0, 0, {}, false}; }
    static OperationResult stopped(std::uint32_t a);
};

// How a running operation talks to whoever runs it. Every member may be empty.
struct OperationHooks {
    // The operation's own status text ("Programming..."); repaintNow asks for it
    // to be painted at once, before the loop starts.
    std::function<void(const std::string& text, bool repaintNow)> status;
    // Progress: the address reached, of 0..last.
    std::function<void(std::uint32_t address, std::uint32_t last)> progress;
    // Whether the user asked to stop; polled at the progress points.
    std::function<bool()> stopRequested;

    void say(const std::string& text, bool repaintNow) const {
        if (status) status(text, repaintNow);
    }
    // Progress points are between commands: where an operation runs under
    // RunGuarded, a long stretch sent without a reply is confirmed there.
    void show(std::uint32_t address, std::uint32_t last) const;
    bool stop() const;
};

// The dialog's Buffer Start, Device Start and Length (count - 1).
struct AddressFields {
    std::uint32_t bufferStart = 0;
    std::uint32_t deviceStart = 0;
    std::uint32_t length = 0x200;
};

// The part of Device Start .. Device Start + Length that lies on the device,
// clipped where the buffer ends.
struct FieldSpan {
    std::uint32_t device = 0;
    std::uint32_t buffer = 0;
    std::uint32_t count = 0;     // bytes to handle
    std::uint32_t requested = 0; // bytes the fields ask for on the device
    std::uint64_t asked = 0;     // bytes the fields ask for: Length + 1
    bool endOfBuffer() const { return count < requested; }
    bool endOfDevice() const { return requested < asked; }
};
FieldSpan SpanOf(const AddressFields& fields, std::uint32_t lastAddress);

// Refuses fields that start outside the device or the buffer, naming the field
// and its limit; nothing when both starts are inside.
std::optional<OperationResult> CheckFieldStarts(const AddressFields& fields, std::uint32_t lastAddress);

// What a run the buffer's or the device's end cut short tells beside its success
// text, e.g. "256 of 32768 bytes: end of buffer"; empty when nothing was cut.
std::string EndOfBufferNote(const FieldSpan& span);

// Runs an operation and turns a lost link into its result, so that callers see
// one kind of answer. A link already lost refuses without sending anything.
// Whatever the operation's result, bytes it sent after the box's last reply are
// confirmed before it counts (ConfirmLink): an operation that ends with sends
// only (power down, an erase pulse) cannot report success from a box that is gone.
OperationResult RunGuarded(LinkState& link, const std::function<OperationResult()>& operation);

inline constexpr const char* kNotConnectedText = "Communication error!";

} // namespace quarvin
