#include "link/ReadAheadProbe.h"

#include <algorithm>
#include <array>
#include <vector>

#include "link/LinkStartup.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "link/commands/ReadAhead.h"

namespace quarvin {

namespace {

// Socket pins that no part of up to 32 pins occupies (it sits in pins 5..36), so
// a chip left in the socket is not driven: pins 1..4, read on input port 0, and
// pin 40, read in the status byte. Their directions live in the two control
// registers, which the idle state sends whole, so the box's state before the
// probe is known and can be put back. Port and status reads take turns, so that
// a reply in another's place shows; a lost reply always shows, as the run then
// ends a reply short.
struct ProbePin {
    int pin;
    bool high;
};
constexpr std::array<ProbePin, 5> kProbePins{{{1, true}, {2, false}, {3, true}, {4, false}, {pin::Top, false}}};

constexpr int ReadsPerWindow = 512; // two pages' worth; eight windows make 4096 reads
constexpr int CheckReads = 16;      // one at a time, before and after a failed window
constexpr int FirstWindow = 2;

// A read command and what the driven probe pins make of its reply: which bits
// they hold and their levels.
struct KnownReply {
    std::uint8_t command = 0;
    std::uint8_t mask = 0;
    std::uint8_t value = 0;

    void add(std::uint8_t bit, bool high) {
        mask = static_cast<std::uint8_t>(mask | bit);
        if (high) value = static_cast<std::uint8_t>(value | bit);
    }
};

std::array<KnownReply, 2> KnownReplies() {
    KnownReply port{static_cast<std::uint8_t>(op::ReadPortBase + 0)};
    KnownReply status{op::ReadStatus};
    for (const ProbePin& p : kProbePins) {
        if (p.pin == pin::Top) {
            status.add(pin::StatusPin40, p.high);
            continue;
        }
        const int index = pin::portIndex(p.pin); // port 0: index = bit
        port.add(static_cast<std::uint8_t>(1u << index), p.high);
    }
    return {port, status};
}

enum class RunOutcome { Right, WrongReply, NoReply };

// `reads` port reads, the two ports taking turns, with `window` of them on their
// way at most; stops at the first reply that is not the known state.
RunOutcome ReadKnownState(LinkState& link, int reads, int window) {
    static const auto known = KnownReplies();
    const auto n = static_cast<std::size_t>(reads);
    std::vector<std::uint8_t> commands(n), replies(n);
    for (std::size_t i = 0; i < n; ++i) commands[i] = known[i % known.size()].command;
    const ReplyRunResult r = RunReplyCommands(link, commands.data(), n, window, replies.data(),
                                              [&](std::size_t i, std::uint8_t v) {
                                                  const KnownReply& k = known[i % known.size()];
                                                  return (v & k.mask) != k.value;
                                              });
    switch (r.end) {
    case ReplyRunEnd::Complete: return RunOutcome::Right;
    case ReplyRunEnd::StoppedAtReply: return RunOutcome::WrongReply;
    case ReplyRunEnd::LineFailed: break;
    }
    return RunOutcome::NoReply;
}

} // namespace

ReadAheadProbeResult ProbeReadAhead(LinkState& link, const std::function<void(int window)>& trying) {
    ReadAheadProbeResult result;
    if (link.connected != 1 || !link.port) return result;

    std::array<int, kProbePins.size()> latches{};
    for (std::size_t i = 0; i < kProbePins.size(); ++i) {
        latches[i] = PinLatch(link, kProbePins[i].pin);
        SetPinLatch(link, kProbePins[i].pin, 0);
        SetPin(link, kProbePins[i].high ? 1 : 0, kProbePins[i].pin);
    }

    switch (ReadKnownState(link, CheckReads, 1)) {
    case RunOutcome::NoReply: LoseLink(link);
    case RunOutcome::WrongReply: result.verdict = ProbeVerdict::PinsDoNotReadBack; break;
    case RunOutcome::Right:
        result.verdict = ProbeVerdict::Measured;
        for (int window = FirstWindow; window <= MaxReadAheadWindow; window *= 2) {
            if (trying) trying(window);
            if (ReadKnownState(link, ReadsPerWindow, window) == RunOutcome::Right) {
                result.largestPassed = window;
                continue;
            }
            // Replies went missing or came wrong. A box that still reads the pins
            // one at a time could not keep up with this window; one that does not
            // is gone.
            link.port->purge();
            if (ReadKnownState(link, CheckReads, 1) != RunOutcome::Right) LoseLink(link);
            break;
        }
        break;
    }

    // Back as before: levels low (pins 1..4 would be by the idle state, pin 40
    // is not), directions as they were, then the idle state.
    for (std::size_t i = 0; i < kProbePins.size(); ++i) {
        PinLow(link, kProbePins[i].pin);
        SetPinLatch(link, kProbePins[i].pin, latches[i]);
    }
    SendIdleState(link);
    result.window = std::max(1, result.largestPassed / 2);
    return result;
}

} // namespace quarvin
