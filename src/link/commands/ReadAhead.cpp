// Read-ahead: a run of reads goes out without waiting for each reply, bounded by
// a window of unanswered commands, and the replies are taken in order. The bytes
// on the wire and their order are those of the same reads sent one by one; only
// the pauses between them go.
#include "link/commands/ReadAhead.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "link/commands/Opcodes.h"
#include "link/serial/PacedLine.h"

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
    // Commands [written, sent) count as sent but are held until a reply is to
    // be waited for: while replies that came together are taken, the window's
    // top-ups gather into one write (one USB packet, one system call).
    std::size_t sent = 0, written = 0, taken = 0;
    bool stopping = false;
    while (taken < sent || (!stopping && sent < n)) {
        if (!stopping && sent < n && sent - taken < limit) sent += std::min(n - sent, limit - (sent - taken));
        if (written < sent && !port->byteReady()) {
            if (!port->write(commands + written, sent - written)) {
                result.end = ReplyRunEnd::LineFailed;
                return result;
            }
            written = sent;
        }
        port->repliesComing(sent - taken);
        const int reply = port->readByte(ReplyTimeoutMs);
        if (reply < 0 || reply > 0xFF) {
            result.end = ReplyRunEnd::LineFailed;
            return result;
        }
        link.sentSinceReply = 0;
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

// Keeps what is written until a reply is to be waited for (or a batch is full)
// and then writes it in one go: one USB packet and one system call instead of
// one for every byte. A reply that has arrived already is handed over without
// writing: the box still works on the commands sent before, and a run of
// replies that came together costs one write for the commands sent meanwhile.
class GatheringTransport : public Transport, public PacedLine {
public:
    explicit GatheringTransport(std::unique_ptr<Transport> inner) : inner_(std::move(inner)) {}

    LineKind lineKind() const override { return inner_->lineKind(); }
    std::string portAdvice() const override { return inner_->portAdvice(); }
    bool write(const std::uint8_t* data, std::size_t n) override {
        gathered_.insert(gathered_.end(), data, data + n);
        return gathered_.size() < kBatchLimit || flush();
    }
    int readByte(int timeoutMs) override {
        return inner_->byteReady() || flush() ? inner_->readByte(timeoutMs) : -1;
    }
    bool byteReady() const override { return inner_->byteReady(); }
    void repliesComing(std::size_t n) override { inner_->repliesComing(n); }
    bool quiet(double microseconds) override {
        auto* paced = dynamic_cast<PacedLine*>(inner_.get());
        return flush() && paced && paced->quiet(microseconds);
    }
    bool canPace() const override {
        const auto* paced = dynamic_cast<const PacedLine*>(inner_.get());
        return paced && paced->canPace();
    }
    void purge() override {
        gathered_.clear();
        inner_->purge();
    }
    void close() override {
        gathered_.clear();
        inner_->close();
    }

    bool flush() {
        if (gathered_.empty()) return true;
        const bool written = inner_->write(gathered_.data(), gathered_.size());
        gathered_.clear();
        return written;
    }
    std::unique_ptr<Transport> release() { return std::move(inner_); }

private:
    static constexpr std::size_t kBatchLimit = 512;
    std::unique_ptr<Transport> inner_;
    std::vector<std::uint8_t> gathered_;
};

namespace {

bool IsStatusPin(int p) { return p == pin::Ground || p == pin::Top; }

// The pin's level in the reply of its read, as ReadPin takes it.
int LevelIn(int p, std::uint8_t reply) {
    if (IsStatusPin(p)) return (reply & (p == pin::Ground ? pin::StatusPin20 : pin::StatusPin40)) ? 1 : 0;
    return (reply >> (pin::portIndex(p) & 7)) & 1;
}

} // namespace

bool SendsAhead(const LinkState& link) { return link.connected != 0 && link.readAheadWindow > 1 && link.port; }

ReadsAhead::ReadsAhead(LinkState& link) : link_(link) {
    if (!SendsAhead(link)) return;
    auto gathering = std::make_unique<GatheringTransport>(std::move(link.port));
    gathering_ = gathering.get();
    link.port = std::move(gathering);
    ++link.readingAhead;
}

ReadsAhead::~ReadsAhead() {
    if (gathering_) --link_.readingAhead;
    // After a lost link the port is gone already.
    if (!gathering_ || link_.port.get() != gathering_) return;
    // Left early (an exception): what was gathered still goes out and the replies
    // on their way are taken, so that the next command finds the line quiet.
    if (gathering_->flush())
        for (sentAt_.clear(); !pending_.empty(); pending_.pop_front())
            if (gathering_->readByte(ReplyTimeoutMs) < 0) break;
    std::unique_ptr<Transport> own = gathering_->release();
    link_.port = std::move(own);
}

void ReadsAhead::readPortAhead(int n, int tag) {
    SendByte(link_, static_cast<std::uint8_t>(op::ReadPortBase + n));
    sentAhead(tag);
}

void ReadsAhead::sentAhead(int tag) {
    pending_.push_back(tag);
    sentAt_.push_back(link_.bytesSent);
    while (pending_.size() >= static_cast<std::size_t>(std::clamp(link_.readAheadWindow, 1, MaxReadAheadWindow)))
        takeReply();
}

void ReadsAhead::drain() {
    if (!gathering_) return;
    if (!gathering_->flush()) LoseLink(link_);
    while (!pending_.empty()) takeReply();
}

void ReadsAhead::takeReply() {
    const int tag = pending_.front();
    pending_.pop_front();
    const std::uint64_t sentAt = sentAt_.front();
    sentAt_.pop_front();
    if (link_.port) link_.port->repliesComing(pending_.size() + 1);
    const std::uint8_t reply = ReceiveByte(link_);
    // The reply confirms the bytes up to its read only: what went out after it
    // is still unconfirmed.
    link_.sentSinceReply = static_cast<std::uint32_t>(link_.bytesSent - sentAt);
    deliver(tag, reply);
}

PinReadsAhead::PinReadsAhead(LinkState& link, OnLevel onLevel) : ReadsAhead(link), onLevel_(std::move(onLevel)) {}

void PinReadsAhead::readPin(int p) {
    if (!ahead()) {
        onLevel_(ReadPin(link_, p));
        return;
    }
    if (IsStatusPin(p)) {
        SendByte(link_, op::ReadStatus);
        Delay(link_, tick::StatusRead);
        sentAhead(p);
    } else if (pin::portIndex(p) >= 0) {
        readPortAhead(pin::portIndex(p) >> 3, p);
    } else {
        // ReadPin sends nothing for it and reads 0.
        drain();
        onLevel_(0);
    }
}

void PinReadsAhead::deliver(int p, std::uint8_t reply) { onLevel_(LevelIn(p, reply)); }

PortReadsAhead::PortReadsAhead(LinkState& link, OnValue onValue) : ReadsAhead(link), onValue_(std::move(onValue)) {}

void PortReadsAhead::readPort(int n) {
    if (!ahead()) {
        onValue_(ReadPort(link_, n));
        return;
    }
    if (n < 0 || n >= op::PortCount) {
        // ReadPort sends nothing for it and reads 0.
        drain();
        onValue_(0);
        return;
    }
    readPortAhead(n, n);
}

} // namespace quarvin
