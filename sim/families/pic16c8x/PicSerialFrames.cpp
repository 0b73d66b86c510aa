#include "sim/families/pic16c8x/PicSerialFrames.h"

namespace quarvin::sim {

namespace {
constexpr int kCommandBits = 6;
constexpr int kFrameBits = 16;
constexpr std::uint16_t kWordMask = 0x3FFF;
} // namespace

void PicSerialFrames::reset() {
    endFrame();
    driving_ = false;
}

void PicSerialFrames::endFrame() {
    phase_ = Phase::Command;
    bits_ = 0;
    shift_ = 0;
}

void PicSerialFrames::sendWord(std::uint16_t word) {
    outWord_ = word;
    phase_ = Phase::DataOut;
}

void PicSerialFrames::rise() {
    if (phase_ != Phase::DataOut) return;
    // Rising edge k (1..16) of the frame: data bits on edges 2..15.
    const int edge = bits_ + 1;
    driving_ = edge >= 2 && edge <= 15;
    driveHigh_ = driving_ && ((outWord_ >> (edge - 2)) & 1) != 0;
}

PicSerialFrames::Event PicSerialFrames::fall(bool dataHigh) {
    if (dataHigh) shift_ |= 1u << bits_;
    ++bits_;
    Event e;
    switch (phase_) {
    case Phase::Command:
        if (bits_ < kCommandBits) return e;
        e.kind = Event::Kind::Command;
        e.command = static_cast<std::uint8_t>(shift_ & 0x3F);
        bits_ = 0;
        shift_ = 0;
        return e;
    case Phase::DataIn:
        if (bits_ < kFrameBits) return e;
        e.kind = Event::Kind::Loaded;
        e.word = static_cast<std::uint16_t>((shift_ >> 1) & kWordMask);
        break;
    case Phase::DataOut:
        if (bits_ < kFrameBits) return e;
        driving_ = false;
        break;
    }
    endFrame();
    return e;
}

} // namespace quarvin::sim
