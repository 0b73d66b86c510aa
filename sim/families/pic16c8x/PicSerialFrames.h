#pragma once
// The receiving end of the PIC serial programming interface, shared by the chip
// models of the PIC16 families: a 6-bit command clocked in LSB first on falling
// clock edges, then, for the load and read commands, a 16-clock frame (start
// bit, 14 data bits LSB first, stop bit). A load latches the data bits on the
// falling edges; a read drives them on the rising edges 2..15 and releases the
// data pin after the frame.
#include <cstdint>

namespace quarvin::sim {

class PicSerialFrames {
public:
    struct Event {
        enum class Kind { None, Command, Loaded };
        Kind kind = Kind::None;
        std::uint8_t command = 0; // the six bits of a Command event
        std::uint16_t word = 0;   // the 14 data bits of a Loaded event
    };

    void reset();
    // After a Command event: the command takes a data frame in, or sends `word`.
    void expectLoad() { phase_ = Phase::DataIn; }
    void sendWord(std::uint16_t word);

    void rise();
    Event fall(bool dataHigh);

    bool driving() const { return driving_; }
    bool driveHigh() const { return driveHigh_; }

private:
    enum class Phase { Command, DataIn, DataOut };
    void endFrame();

    Phase phase_ = Phase::Command;
    int bits_ = 0;
    unsigned shift_ = 0;
    std::uint16_t outWord_ = 0;
    bool driving_ = false;
    bool driveHigh_ = false;
};

} // namespace quarvin::sim
