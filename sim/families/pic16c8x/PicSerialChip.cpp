#include "sim/families/pic16c8x/PicSerialChip.h"

#include <algorithm>

namespace quarvin::sim {

PicSerialChip::PicSerialChip(int pins, std::uint32_t words, std::uint32_t dataBytes, std::uint16_t alwaysOne,
                             VppWindow entry)
    : cells_(words * 2, 0xFF), data_(dataBytes, 0xFF), entry_(entry), pins_(pins), words_(words),
      alwaysOne_(alwaysOne) {
    for (std::uint32_t w = 0; w < words; ++w) cells_[2 * w + 1] = 0x3F;
}

std::vector<std::uint8_t> PicSerialChip::extraState() const {
    std::vector<std::uint8_t> s;
    const auto put = [&s](std::uint16_t w) {
        s.push_back(static_cast<std::uint8_t>(w & 0xFF));
        s.push_back(static_cast<std::uint8_t>(w >> 8));
    };
    put(config_);
    for (std::uint16_t id : ids_) put(id);
    s.insert(s.end(), data_.begin(), data_.end());
    return s;
}

bool PicSerialChip::loadExtraState(const std::vector<std::uint8_t>& s) {
    constexpr std::size_t kWords = 2 + 2 * 4;
    if (s.size() != kWords + data_.size()) return false;
    const auto word = [&s](std::size_t i) { return static_cast<std::uint16_t>((s[i] | s[i + 1] << 8) & kWordMask); };
    config_ = static_cast<std::uint16_t>(word(0) | alwaysOne_);
    for (std::size_t i = 0; i < ids_.size(); ++i) ids_[i] = word(2 + 2 * i);
    std::copy(s.begin() + kWords, s.end(), data_.begin());
    return true;
}

bool PicSerialChip::powered(const ChipView& v) const {
    const PicPackagePins p = pins();
    return (v.hasVcc(p.vdd[0]) || v.hasVcc(p.vdd[1])) && (v.hasGround(p.vss[0]) || v.hasGround(p.vss[1]));
}

std::uint16_t PicSerialChip::programWord(std::uint32_t w) const {
    const std::uint32_t a = 2 * (w % words_);
    const std::uint8_t low = faults().applyStuck(a, cells_[a]);
    const std::uint8_t high = faults().applyStuck(a + 1, cells_[a + 1]);
    return static_cast<std::uint16_t>((low | high << 8) & kWordMask);
}

void PicSerialChip::setProgramWord(std::uint32_t w, std::uint16_t value) {
    const std::uint32_t a = 2 * (w % words_);
    if (faults().programBlocked(a)) return;
    cells_[a] = static_cast<std::uint8_t>(value & 0xFF);
    cells_[a + 1] = static_cast<std::uint8_t>((value >> 8) & 0x3F);
    markChanged();
}

void PicSerialChip::eraseProgram() {
    for (std::uint32_t w = 0; w < words_; ++w) {
        cells_[2 * w] = 0xFF;
        cells_[2 * w + 1] = 0x3F;
    }
    markChanged();
}

void PicSerialChip::leave() {
    onLeave();
    programming_ = false;
    frames_.reset();
}

ChipDrive PicSerialChip::update(const ChipView& v) {
    ChipDrive d;
    settle(v.nowPs);
    const PicPackagePins p = pins();
    if (!powered(v)) {
        leave();
        mclrWasLow_ = false;
        return d;
    }
    const int vpp = v.vppAt(p.mclr);
    const bool atVpp = vpp >= entry_.minMillivolts && vpp <= entry_.maxMillivolts;
    const bool mclrLow = vpp == 0 && v.low(p.mclr);
    if (!programming_ && atVpp && mclrWasLow_ && v.low(p.rb6) && v.low(p.rb7)) {
        // Entering the mode resets the part: the counter starts at 0.
        leave();
        programming_ = true;
        pc_ = 0;
        clockHigh_ = false;
    } else if (programming_ && !atVpp) {
        leave();
    }
    mclrWasLow_ = mclrLow;
    if (!programming_) return d;

    const bool clockHigh = v.high(p.rb6);
    if (clockHigh && !clockHigh_) {
        onClockRise(v.nowPs);
        frames_.rise();
    } else if (!clockHigh && clockHigh_) {
        const PicSerialFrames::Event e = frames_.fall(v.high(p.rb7));
        if (e.kind == PicSerialFrames::Event::Kind::Command) command(e.command, v.nowPs);
        else if (e.kind == PicSerialFrames::Event::Kind::Loaded) loaded(e.word);
    }
    clockHigh_ = clockHigh;
    if (frames_.driving()) d.drive(p.rb7, frames_.driveHigh());
    return d;
}

} // namespace quarvin::sim
