#include "sim/ops/PageLoadBus.h"

#include <utility>

namespace quarvin::sim {

void PageLoadBus::powerLost() {
    loads_.clear();
    weLow_ = ceLow_ = oeLow_ = false;
}

std::optional<PageLoadBus::ClosedPage> PageLoadBus::closedPage(std::int64_t nowPs, std::int64_t windowPs) {
    if (loads_.empty() || nowPs <= lastLoadPs_ + windowPs) return std::nullopt;
    ClosedPage page{std::move(loads_), lastLoadPs_ + windowPs};
    loads_.clear();
    return page;
}

bool PageLoadBus::follow(const ChipView& v, const JedecPinout& pinout, std::uint32_t a, bool accept) {
    const bool ce = v.low(pinout.chipEnable), oe = v.low(pinout.outputEnable), we = v.low(pinout.writeEnable);
    if (weLow_ && !we && ce && !oe && accept) {
        const std::uint8_t d = pinout.dataOf(v);
        loads_.emplace_back(a, d);
        lastLoadPs_ = v.nowPs;
        lastByte_ = d;
    }
    if (ce && oe && !(ceLow_ && oeLow_)) toggle_ = !toggle_;
    weLow_ = we;
    ceLow_ = ce;
    oeLow_ = oe;
    return ce && oe;
}

std::uint8_t PageLoadBus::busyStatus() const {
    return static_cast<std::uint8_t>((~lastByte_ & 0x80) | (toggle_ ? 0x40 : 0x00));
}

} // namespace quarvin::sim
