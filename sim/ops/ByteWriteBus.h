#pragma once
// The control side that the JEDEC byte-write flash memories (29F, AT49F)
// share: a write cycle ends on the rising /WE edge with /CE low and /OE high;
// a read cycle starts when /OE or /CE falls while the other is low, and each
// one toggles DQ6 while the part is busy; DQ7 reads the complement of the byte
// being programmed (DATA polling), and 0 during an erase.
#include <cstdint>

namespace quarvin::sim {

class ByteWriteBus {
public:
    // Follows one update's control pins (true: held low); true when a write
    // cycle ends with this update.
    bool follow(bool ceLow, bool oeLow, bool weLow) {
        const bool writeEnds = weLow_ && !weLow && ceLow && !oeLow;
        if (ceLow && oeLow && !(ceLow_ && oeLow_)) toggle_ = !toggle_;
        weLow_ = weLow;
        ceLow_ = ceLow;
        oeLow_ = oeLow;
        return writeEnds;
    }
    // The supply went or a reset came: no edge carries over.
    void release() { weLow_ = ceLow_ = oeLow_ = false; }
    // What a busy part reads: programming the byte `programmed`, or erasing.
    std::uint8_t busyStatus(bool programming, std::uint8_t programmed) const {
        const std::uint8_t dq7 = programming ? static_cast<std::uint8_t>(~programmed & 0x80) : 0x00;
        return static_cast<std::uint8_t>(dq7 | (toggle_ ? 0x40 : 0x00));
    }

private:
    bool toggle_ = false;
    bool weLow_ = false, ceLow_ = false, oeLow_ = false;
};

} // namespace quarvin::sim
