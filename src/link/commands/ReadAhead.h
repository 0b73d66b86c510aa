#pragma once
// The machinery behind ReadNextBytes, shared with the read-ahead probe of the link
// diagnostics: a run of one-byte commands that each bring exactly one reply, sent
// up to a window ahead of their replies, and the lost-link step.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>

#include "link/commands/LinkOps.h"

namespace quarvin {

// How long one reply may take before the link counts as lost.
inline constexpr int ReplyTimeoutMs = 2000;

// The largest window: a run never spans more than the 256 reads between two
// address settings, so a larger one would change nothing.
inline constexpr int MaxReadAheadWindow = 256;

// Shows the lost-link message once, drops the port, falls back to soft-run mode
// and throws LinkLost.
[[noreturn]] void LoseLink(LinkState& link);

enum class ReplyRunEnd {
    Complete,        // every command answered
    StoppedAtReply,  // stopAt accepted a reply; the later replies were taken and dropped
    LineFailed,      // a write failed or a reply did not come in time
};

struct ReplyRunResult {
    ReplyRunEnd end = ReplyRunEnd::Complete;
    std::size_t stored = 0; // replies stored in dest
};

// Sends commands[0..n) (each a one-byte command with one reply) keeping at most
// `window` of them unanswered, and stores the replies in order. Nothing is sent
// after stopAt accepted a reply; the commands already on their way are answered
// and their replies dropped, so the line is quiet when this returns. Does not
// check the connected flag and does not lose the link: the caller decides.
ReplyRunResult RunReplyCommands(LinkState& link, const std::uint8_t* commands, std::size_t n, int window,
                                std::uint8_t* dest, const StopAtReply& stopAt);

class GatheringTransport;

// Pin reads whose replies are taken later, for loops that read a bus bit by bit
// between pin steps without a reply (clock pulses, start and stop conditions).
// With the link's window above 1, what the operation sends while this object
// lives is gathered and goes out in one write when a reply is to be taken, and
// up to the window of pin reads are on their way before their replies are
// taken, in order. The bytes on the wire are those of ReadPin and the other
// calls made one by one; only the waits for the replies go. With window 1 (or
// in soft-run mode) each read is ReadPin itself.
// A lost link ends as with ReadPin: LoseLink, LinkLost.
class PinReadsAhead {
public:
    // Called with each pin level (0 or 1), in the order the reads were made.
    using OnLevel = std::function<void(int level)>;
    PinReadsAhead(LinkState& link, OnLevel onLevel);
    // Gives the link its own port back; replies not drained are taken and dropped.
    ~PinReadsAhead();
    PinReadsAhead(const PinReadsAhead&) = delete;
    PinReadsAhead& operator=(const PinReadsAhead&) = delete;

    // ReadPin's bytes for pin p; its level goes to onLevel when its reply is taken.
    void readPin(int p);
    // Sends what was gathered and takes every reply still on its way.
    void drain();

private:
    void takeReply();

    struct PendingRead {
        int pin;
    };
    LinkState& link_;
    OnLevel onLevel_;
    GatheringTransport* gathering_ = nullptr; // link.port while this lives, if gathering
    std::deque<PendingRead> pending_;
};

} // namespace quarvin
