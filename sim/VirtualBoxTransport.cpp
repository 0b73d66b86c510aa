#include "sim/VirtualBoxTransport.h"

namespace quarvin::sim {

VirtualBoxTransport::VirtualBoxTransport(std::shared_ptr<Box> box) : box_(std::move(box)) {
    if (!box_) box_ = std::make_shared<Box>();
}

bool VirtualBoxTransport::write(const std::uint8_t* data, std::size_t n) {
    if (closed_) return false;
    box_->receive(data, n);
    return true;
}

int VirtualBoxTransport::readByte(int /*timeoutMs*/) {
    if (closed_) return -1;
    return box_->popReply();
}

bool VirtualBoxTransport::quiet(double microseconds) {
    if (closed_) return false;
    box_->clock().hostPauses(static_cast<std::int64_t>(microseconds * 1e6));
    return true;
}

void VirtualBoxTransport::purge() {
    box_->dropReplies();
}

VirtualPortOpener::VirtualPortOpener(std::unique_ptr<PortOpener> next, std::shared_ptr<Box> box)
    : next_(std::move(next)), box_(box ? std::move(box) : std::make_shared<Box>()) {}

OpenedPort VirtualPortOpener::open(const std::string& name) {
    if (name == VirtualPortName) {
        OpenedPort port;
        port.status = OpenStatus::Opened;
        port.transport = std::make_unique<VirtualBoxTransport>(box_);
        return port;
    }
    if (next_) return next_->open(name);
    return {};
}

} // namespace quarvin::sim
