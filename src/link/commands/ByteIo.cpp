// The byte primitives every other link operation is built on, and the soft-run and
// lost-link rules they enforce.
#include <string>

#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "link/commands/ReadAhead.h"
#include "platform/Platform.h"

namespace quarvin {

// The box stopped answering: tell the user once, drop the port and carry on in
// soft-run mode. The exception ends the running operation only.
void LoseLink(LinkState& link) {
    link.connected = 0;
    link.lost = true;
    if (link.port) {
        link.port->linkLost();
        link.port->close();
        link.port.reset();
    }
    link.changed();
    if (link.prompts) link.prompts->message(LostLinkMessage);
    throw LinkLost();
}

void SendByte(LinkState& link, std::uint8_t b) {
    if (link.connected == 0) return;
    if (!link.port || !link.port->write(&b, 1)) LoseLink(link);
    ++link.sentSinceReply;
    ++link.bytesSent;
}

std::uint8_t ReceiveByte(LinkState& link) {
    if (link.connected == 0) return 0xFF;
    int r = link.port ? link.port->readByte(ReplyTimeoutMs) : -1;
    if (r < 0 || r > 0xFF) LoseLink(link);
    link.sentSinceReply = 0;
    return static_cast<std::uint8_t>(r);
}

void WriteBlock(LinkState& link, const std::uint8_t* bytes, std::size_t n) {
    if (link.connected == 0 || n == 0 || bytes == nullptr) return;
    if (!link.port || !link.port->write(bytes, n)) LoseLink(link);
    link.sentSinceReply += static_cast<std::uint32_t>(n);
    link.bytesSent += n;
}

void ConfirmLink(LinkState& link) {
    if (link.connected == 0 || link.sentSinceReply == 0 || link.readingAhead > 0) return;
    // Reading an input port changes nothing on the socket and costs one byte
    // each way; a box that is gone shows here as a lost link.
    SendByte(link, static_cast<std::uint8_t>(op::ReadPortBase + ConfirmPort));
    ReceiveByte(link);
}

void ConfirmLinkIfLongQuiet(LinkState& link) {
    if (link.sentSinceReply >= LongQuietBytes) ConfirmLink(link);
}

void Delay(LinkState& link, int count) {
    if (link.connected == 0) return;
    for (int i = 0; i < count; ++i) SendByte(link, op::DelayTick);
}

} // namespace quarvin
