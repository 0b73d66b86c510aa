#pragma once
// The machinery behind ReadNextBytes, shared with the read-ahead probe of the link
// diagnostics: a run of one-byte commands that each bring exactly one reply, sent
// up to a window ahead of their replies, and the lost-link step; and the pin and
// port reads sent ahead of their replies between steps without a reply.
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

// Whether commands go out ahead of their replies on this link: a window above 1
// on a connected port (not soft-run mode).
bool SendsAhead(const LinkState& link);

class GatheringTransport;

// Reads whose replies are taken later, for loops that read between steps without
// a reply. With the link's window above 1, what the operation sends while the
// object lives is gathered and goes out in one write when a reply is to be
// taken, and up to the window of reads are on their way before their replies
// are taken, in order. The bytes on the wire are those of the plain calls made
// one by one; only the waits for the replies go. With window 1 (or in soft-run
// mode) each read is the plain call itself. Callers drain() before a command
// that keeps the box busy for longer than a character or brings a reply of its
// own: only quick steps go out while replies are on their way, so the box keeps
// up with the line and its two-byte receive buffer does not overflow.
// A lost link ends as with the plain calls: LoseLink, LinkLost.
class ReadsAhead {
public:
    ReadsAhead(const ReadsAhead&) = delete;
    ReadsAhead& operator=(const ReadsAhead&) = delete;

    // Sends what was gathered and takes every reply still on its way.
    void drain();

protected:
    explicit ReadsAhead(LinkState& link);
    // Gives the link its own port back; replies not drained are taken and dropped.
    ~ReadsAhead();

    // False with window 1 and in soft-run mode: each read is then the plain call.
    bool ahead() const { return gathering_ != nullptr; }
    // Sends input port n's read command; its reply goes to deliver(tag, reply)
    // when taken. Takes the oldest replies while the window is full.
    void readPortAhead(int n, int tag);
    // The same for a command already sent.
    void sentAhead(int tag);
    virtual void deliver(int tag, std::uint8_t reply) = 0;

    LinkState& link_;

private:
    void takeReply();

    GatheringTransport* gathering_ = nullptr; // link.port while this lives, if gathering
    std::deque<int> pending_;                 // the tags of the reads on their way
    std::deque<std::uint64_t> sentAt_;        // the link's byte count after each of those reads
};

// Pin reads ahead of their replies, for loops that read a bus bit by bit between
// pin steps without a reply (clock pulses, start and stop conditions): each
// readPin sends ReadPin's bytes.
class PinReadsAhead final : public ReadsAhead {
public:
    // Called with each pin level (0 or 1), in the order the reads were made.
    using OnLevel = std::function<void(int level)>;
    PinReadsAhead(LinkState& link, OnLevel onLevel);

    // ReadPin's bytes for pin p; its level goes to onLevel when its reply is taken.
    void readPin(int p);

private:
    void deliver(int p, std::uint8_t reply) override;

    OnLevel onLevel_;
};

// Port reads ahead of their replies, for loops that read a port between steps
// without a reply (the static RAMs: the data port, then the box's address step):
// each readPort sends ReadPort's bytes.
class PortReadsAhead final : public ReadsAhead {
public:
    // Called with each port value, in the order the reads were made.
    using OnValue = std::function<void(std::uint8_t value)>;
    PortReadsAhead(LinkState& link, OnValue onValue);

    // ReadPort's bytes for port n; its value goes to onValue when its reply is taken.
    void readPort(int n);

private:
    void deliver(int port, std::uint8_t reply) override { onValue_(reply); }

    OnValue onValue_;
};

} // namespace quarvin
