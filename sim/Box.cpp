#include "sim/Box.h"

#include <algorithm>

#include "sim/SimFamily.h"
#include "sim/ops/StandardOps.h"

namespace quarvin::sim {

BoxConfig BoxConfig::forBoard(char board) {
    BoxConfig c;
    c.board = board;
    if (board == 'b') c.identification = "pemrav13";
    return c;
}

Box::Box(BoxConfig config) : config_(std::move(config)) {
    socket_.setGroundSwitchOn31(config_.board != 'a');
    socket_.setClockHz(config_.clockHz);
    installStandardOps(opcodes_);
    installAddressOps(opcodes_);
    for (const SimFamily& family : SimFamilies()) family.installOps(opcodes_);
    args_.reserve(300);
}

bool Box::silent() const {
    return faults_.silentAfterBytes && received_ >= *faults_.silentAfterBytes;
}

void Box::receive(const std::uint8_t* bytes, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) receive(bytes[i]);
}

void Box::receive(std::uint8_t byte) {
    if (silent()) return;
    const std::int64_t arrived = clock_.hostSends();
    const std::uint64_t index = received_++;
    if (!clock_.receiveBufferHasRoom(arrived, config_.uart.receiveBuffer) ||
        std::find(faults_.lostBytes.begin(), faults_.lostBytes.end(), index) != faults_.lostBytes.end()) {
        errors_.push_back({BoxError::Kind::Overrun, byte, index});
        return; // lost, as a real box loses it
    }
    clock_.boxStarts(arrived);

    if (!pending_) {
        const OpcodeSpec* spec = opcodes_.find(byte);
        if (!spec) {
            errors_.push_back({BoxError::Kind::UnknownOpcode, byte, index});
            return;
        }
        pending_ = spec;
        pendingOp_ = byte;
        pendingIndex_ = index;
        const int n = spec->dynamicArgs ? spec->dynamicArgs(*this) : spec->args;
        needed_ = n > 0 ? static_cast<std::size_t>(n) : 0;
        args_.clear();
    } else {
        args_.push_back(byte);
    }
    if (args_.size() >= needed_) execute();
}

void Box::execute() {
    const OpcodeSpec* spec = pending_;
    pending_ = nullptr;
    const std::uint64_t before = repliesSent_;
    waitMicroseconds(config_.uart.costUs(pendingOp_));
    spec->handler(*this, pendingOp_, OpArgs{args_.data(), args_.size()});
    // Let the chip see what the command changed before anything else happens.
    refresh();
    const std::uint64_t sent = repliesSent_ - before;
    if (spec->replies >= 0 && sent != static_cast<std::uint64_t>(spec->replies))
        errors_.push_back({BoxError::Kind::ReplyCountMismatch, pendingOp_, pendingIndex_});
}

void Box::reply(std::uint8_t b) {
    const std::uint64_t index = repliesSent_++;
    for (const auto& g : faults_.garble)
        if (index >= g.first && index - g.first < g.count) b = g.value;
    replies_.push_back({b, clock_.boxReplies()});
}

std::int64_t Box::deliveryOfFront() {
    const UsbAdapterConfig& usb = config_.usb;
    if (!usb.attached) return replies_.front().arrivesPs;
    if (packetLeft_ == 0) {
        // This reply opens a packet. The host is waiting for it, so every reply
        // that can still join the packet is already queued: those that reach the
        // adapter before the latency timer runs out, up to a full packet.
        std::int64_t leaves = replies_.front().arrivesPs + static_cast<std::int64_t>(usb.latencyMs * 1e9);
        std::size_t count = 1;
        while (count < usb.packetBytes && count < replies_.size() && replies_[count].arrivesPs <= leaves) ++count;
        if (count == usb.packetBytes) leaves = replies_[count - 1].arrivesPs;
        packetLeft_ = count;
        packetAtPs_ = leaves;
    }
    --packetLeft_;
    return packetAtPs_;
}

int Box::popReply() {
    if (replies_.empty()) return -1;
    clock_.hostReceives(deliveryOfFront());
    const Reply r = replies_.front();
    replies_.pop_front();
    return r.value;
}

std::optional<Box::TimedReply> Box::popTimedReply() {
    if (replies_.empty()) return std::nullopt;
    const std::int64_t arrives = deliveryOfFront();
    const Reply r = replies_.front();
    replies_.pop_front();
    return TimedReply{r.value, arrives};
}

} // namespace quarvin::sim
