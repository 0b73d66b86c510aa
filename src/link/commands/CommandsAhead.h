#pragma once
// Commands whose replies are only checked, sent ahead of them: program-byte
// commands whose read-back is compared, page checks, word reads. The loop goes on
// sending while the replies come back in order and are handed to their checks;
// a check that fails makes the loop stop sending, and the commands already on
// their way are answered before anything else goes out.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>

#include "link/commands/ReadAhead.h"

namespace quarvin {

// One character on the line: 11 bits at 115200 baud.
inline constexpr double LineCharMicroseconds = 11.0 * 1e6 / 115200;
// The box's own time for taking a command in, on top of what the command does.
inline constexpr double BoxCommandMicroseconds = 20.0;
// The bytes the box's receiver holds while it works: what may arrive meanwhile.
inline constexpr std::size_t BoxReceiveBufferBytes = 2;

class CommandsAhead final : public ReadsAhead {
public:
    // A command's replies: the first in the low byte, a second in the high byte.
    using OnReply = std::function<void(std::uint16_t replies)>;

    explicit CommandsAhead(LinkState& link);

    // Sends the command's bytes; its `replies` reply bytes (1 or 2) go to onReply
    // when taken. busyMicroseconds is how long the box works on the command once
    // its last byte has arrived (pulses, a page loop, clocking a frame). With the
    // link's window 1 (or in soft-run mode) this is the plain sequence: the bytes,
    // then the replies, then onReply, before it returns. Ahead, up to the window
    // of replies are on their way, and where the box works on it for longer
    // than the line takes to bring as many bytes as the command has (at most
    // its two-byte receive buffer) the line is kept quiet for the rest: the
    // next bytes then arrive no sooner than the same command's would have filled
    // the buffer, and the box is not overrun whatever the adapter's latency.
    void send(std::initializer_list<std::uint8_t> bytes, int replies, double busyMicroseconds, OnReply onReply);

    // ReadPin's bytes for pin p; its level (0 or 1) goes to onLevel when taken.
    void readPin(int p, std::function<void(int level)> onLevel);

    // Ahead, a port read that changes nothing goes out after what was sent so
    // far (a power-down, say): its reply answers for those bytes, so the
    // confirmation at the operation's end has nothing left to wait for and one
    // reply wait ends the operation. With window 1 nothing is sent: that
    // confirmation follows as it always did.
    void confirmSent();

    using ReadsAhead::ahead;

private:
    void deliver(int tag, std::uint8_t reply) override;

    struct Waiting {
        int replies;
        int taken = 0;
        std::uint16_t value = 0;
        OnReply onReply;
    };
    std::deque<Waiting> waiting_;
};

} // namespace quarvin
