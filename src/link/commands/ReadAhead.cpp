// Read-ahead: a run of reads goes out without waiting for each reply, bounded by
// a window of unanswered commands, and the replies are taken in order. The bytes
// on the wire and their order are those of the same reads sent one by one; only
// the pauses between them go.
#include "link/commands/ReadAhead.h"

#include <algorithm>
#include <array>

#include "link/commands/Opcodes.h"

namespace quarvin {

ReplyRunResult RunReplyCommands(LinkState& link, const std::uint8_t* commands, std::size_t n, int window,
                                std::uint8_t* dest, const StopAtReply& stopAt) {
    const std::size_t limit = static_cast<std::size_t>(std::clamp(window, 1, MaxReadAheadWindow));
    ReplyRunResult result;
    Transport* port = link.port.get();
    if (!port) {
        result.end = ReplyRunEnd::LineFailed;
        return result;
    }
    std::size_t sent = 0, taken = 0;
    bool stopping = false;
    while (taken < sent || (!stopping && sent < n)) {
        // Top the window up in one write: one USB packet instead of many.
        if (!stopping && sent < n && sent - taken < limit) {
            const std::size_t batch = std::min(n - sent, limit - (sent - taken));
            if (!port->write(commands + sent, batch)) {
                result.end = ReplyRunEnd::LineFailed;
                return result;
            }
            sent += batch;
        }
        const int reply = port->readByte(ReplyTimeoutMs);
        if (reply < 0 || reply > 0xFF) {
            result.end = ReplyRunEnd::LineFailed;
            return result;
        }
        const std::size_t index = taken++;
        if (stopping) continue; // an answer to a read sent ahead: dropped
        const auto value = static_cast<std::uint8_t>(reply);
        dest[index] = value;
        result.stored = index + 1;
        if (stopAt && stopAt(index, value)) {
            stopping = true;
            result.end = ReplyRunEnd::StoppedAtReply;
        }
    }
    return result;
}

std::size_t ReadNextBytes(LinkState& link, std::uint8_t* dest, std::size_t n, const StopAtReply& stopAt) {
    if (link.connected == 0) {
        // Soft-run: every reply reads 255, as from ReadNextByte.
        for (std::size_t i = 0; i < n; ++i) {
            dest[i] = 0xFF;
            if (stopAt && stopAt(i, 0xFF)) return i + 1;
        }
        return n;
    }
    // Callers read at most a page between two address settings; a longer run is
    // taken a page of commands at a time.
    static constexpr auto kReadCommands = [] {
        std::array<std::uint8_t, MaxReadAheadWindow> a{};
        a.fill(op::ReadNext);
        return a;
    }();
    std::size_t stored = 0;
    while (stored < n) {
        const std::size_t chunk = std::min(n - stored, kReadCommands.size());
        const StopAtReply shifted = stopAt ? StopAtReply([&](std::size_t i, std::uint8_t v) {
            return stopAt(stored + i, v);
        })
                                           : StopAtReply{};
        const ReplyRunResult r =
            RunReplyCommands(link, kReadCommands.data(), chunk, link.readAheadWindow, dest + stored, shifted);
        // A missing reply means the box lost a command (or the line is gone): the
        // bytes that did come may belong to other addresses, so none of them is
        // trusted and the link counts as lost.
        if (r.end == ReplyRunEnd::LineFailed) LoseLink(link);
        stored += r.stored;
        if (r.end == ReplyRunEnd::StoppedAtReply) break;
    }
    return stored;
}

} // namespace quarvin
