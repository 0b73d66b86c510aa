#include "link/commands/CommandsAhead.h"

#include <algorithm>

#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "link/serial/PacedLine.h"

namespace quarvin {

CommandsAhead::CommandsAhead(LinkState& link) : ReadsAhead(link) {}

void CommandsAhead::send(std::initializer_list<std::uint8_t> bytes, int replies, double busyMicroseconds,
                         OnReply onReply) {
    // While the box works on this command the bytes after it wait in its
    // receive buffer: as many as the command has (at most the buffer's two) may
    // arrive meanwhile, and the line stays quiet for the rest of the box's time.
    // A line that cannot be kept quiet waits for the reply instead.
    const std::size_t covered = std::min(bytes.size(), BoxReceiveBufferBytes);
    const double quiet =
        busyMicroseconds + BoxCommandMicroseconds - static_cast<double>(covered) * LineCharMicroseconds;
    auto* line = dynamic_cast<PacedLine*>(link_.port.get());
    const bool paced = quiet <= 0 || (line && line->canPace());
    if (!ahead() || !paced) {
        drain();
        for (std::uint8_t b : bytes) SendByte(link_, b);
        std::uint16_t value = 0;
        for (int i = 0; i < replies; ++i) value = static_cast<std::uint16_t>(value | ReceiveByte(link_) << (8 * i));
        onReply(value);
        return;
    }
    for (std::uint8_t b : bytes) SendByte(link_, b);
    if (quiet > 0 && !line->quiet(quiet)) LoseLink(link_);
    waiting_.push_back({replies, 0, 0, std::move(onReply)});
    for (int i = 0; i < replies; ++i) sentAhead(0);
}

void CommandsAhead::readPin(int p, std::function<void(int level)> onLevel) {
    const int index = pin::portIndex(p);
    // The status pins' read has a delay after it, and a pin without a port
    // reads 0 without a byte: both as the plain call.
    if (!ahead() || index < 0 || p == pin::Ground || p == pin::Top) {
        drain();
        onLevel(ReadPin(link_, p));
        return;
    }
    send({static_cast<std::uint8_t>(op::ReadPortBase + (index >> 3))}, 1, 0,
         [index, onLevel = std::move(onLevel)](std::uint16_t port) { onLevel((port >> (index & 7)) & 1); });
}

void CommandsAhead::confirmSent() {
    if (!ahead()) return;
    send({static_cast<std::uint8_t>(op::ReadPortBase + ConfirmPort)}, 1, 0, [](std::uint16_t) {});
}

void CommandsAhead::deliver(int, std::uint8_t reply) {
    Waiting& w = waiting_.front();
    w.value = static_cast<std::uint16_t>(w.value | reply << (8 * w.taken));
    if (++w.taken < w.replies) return;
    const Waiting done = std::move(w);
    waiting_.pop_front();
    done.onReply(done.value);
}

} // namespace quarvin
