#pragma once
// The bus side that the JEDEC page-write memories (28C EEPROM, 29EE flash)
// share: byte loads on the rising /WE edge with /CE low and /OE high, the load
// window whose end closes a page, and what a busy part reads back (the last
// byte's DQ7 inverted, DQ6 toggling with every read cycle).
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/JedecPinout.h"
#include "sim/ops/SdpPageLatch.h"

namespace quarvin::sim {

class PageLoadBus {
public:
    struct ClosedPage {
        std::vector<PageLoad> loads; // in order
        std::int64_t atPs;           // when the window closed
    };

    // The supply went: the page's loads and the pins' history are lost.
    void powerLost();

    // The page's loads once no load came for windowPs by nowPs; nothing while
    // the window is open or no load came.
    std::optional<ClosedPage> closedPage(std::int64_t nowPs, std::int64_t windowPs);

    // Follows one update's pins at address a: a load when /WE rises with /CE low
    // and /OE high (taken only when `accept`), a new read cycle when /OE or /CE
    // falls while the other is low. True when /CE and /OE are both low: the
    // part drives its data pins.
    bool follow(const ChipView& v, const JedecPinout& pinout, std::uint32_t a, bool accept);

    // What a part busy writing reads back.
    std::uint8_t busyStatus() const;

private:
    std::vector<PageLoad> loads_;
    std::int64_t lastLoadPs_ = 0;
    std::uint8_t lastByte_ = 0;
    bool toggle_ = false;
    bool weLow_ = false, ceLow_ = false, oeLow_ = false;
};

} // namespace quarvin::sim
