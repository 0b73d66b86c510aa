#pragma once
// Logic ICs (74 TTL, 40 and 45 CMOS) at gate level. Each part is a table row: its
// name, its number in the tester's library, its pins and a function that works
// out the outputs from the inputs the way the part's data sheet draws it. The
// pin handling common to every part (supply, released inputs, open-collector and
// 3-state outputs, stuck pins, a dead part) is LogicChip's, not the models'.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quarvin::sim {

enum class LogicClass { Ttl74, Cmos40, Cmos45 };

// The pins an evaluation reads and sets, in the part's own numbering (1-based).
class LogicPins {
public:
    LogicPins(std::uint64_t levels, std::uint64_t previous) : levels_(levels), previous_(previous) {}

    // The level on a pin (a pin nothing drives reads high, as TTL inputs float high).
    bool in(int pin) const { return (levels_ >> (pin - 1)) & 1U; }
    // Edges since the last evaluation.
    bool rose(int pin) const { return in(pin) && !((previous_ >> (pin - 1)) & 1U); }
    bool fell(int pin) const { return !in(pin) && ((previous_ >> (pin - 1)) & 1U); }

    // Sets an output. On an open-collector pin, high means released.
    void out(int pin, bool high) {
        drive_ |= bit(pin);
        if (high) level_ |= bit(pin); else level_ &= ~bit(pin);
    }
    // A 3-state output turned off (also: an open-collector output not pulling).
    void release(int pin) { drive_ &= ~bit(pin); level_ &= ~bit(pin); }

    std::uint64_t drivenMask() const { return drive_; }
    std::uint64_t drivenLevels() const { return level_; }

private:
    static std::uint64_t bit(int pin) { return std::uint64_t{1} << (pin - 1); }
    std::uint64_t levels_;
    std::uint64_t previous_;
    std::uint64_t drive_ = 0;
    std::uint64_t level_ = 0;
};

// A model's memory: flip-flops, counters, shift registers. LogicChip fills it with
// seeded random bits at every power-up, as real parts come up in no set state.
struct LogicState {
    std::uint64_t bits = 0;
    std::array<std::uint32_t, 8> regs{};
};

using LogicEvaluate = void (*)(LogicPins& pins, LogicState& state);

struct LogicPart {
    const char* name;      // the part as marked: "74LS138", "CD4017B", "MC14511B"
    int number;            // its number in the library: 138 for 74LS138, 17 for 4017, 11 for 4511
    LogicClass family;
    // One letter per pin, pin 1 first; its length is the pin count (14..24):
    // I input, O push-pull output, C open-collector output, T 3-state output,
    // V Vcc (VDD), G ground (VSS), N not connected.
    const char* pinKinds;
    LogicEvaluate evaluate; // called whenever a pin level changes while powered
};

// The parts of each library, one file each (Ttl74Parts.cpp, Cmos40Parts.cpp,
// Cmos45Parts.cpp).
const std::vector<LogicPart>& Ttl74Parts();
const std::vector<LogicPart>& Cmos40Parts();
const std::vector<LogicPart>& Cmos45Parts();

} // namespace quarvin::sim
