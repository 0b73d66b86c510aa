#pragma once
// A chip model in the virtual box's socket. The socket calls update() whenever
// something the chip can see changes (a pin level, a supply switch, time before a
// read); the chip answers with the pins it drives. Pins are in the chip's own
// numbering: bit (k-1) of a mask is chip pin k.
#include <cstdint>
#include <string>
#include <vector>

#include "families/placement/PinRole.h"

namespace quarvin::sim {

using PinMask = std::uint64_t;

constexpr PinMask pinBit(int pin) { return PinMask{1} << (pin - 1); }

// What the chip sees on its pins from the box side. Levels are the box side only:
// a pin that nothing on the box side drives reads high (the box's pull-ups).
struct ChipView {
    PinMask level = 0;    // 1 = high
    PinMask driven = 0;   // actively driven by the box (logic driver, Vcc, Vpp or ground)
    PinMask vcc = 0;      // Vcc switched to the pin
    PinMask ground = 0;   // ground switched to the pin
    PinMask vpp = 0;      // Vpp switched to the pin (vppMillivolts may still be 0: generator off)
    PinMask clock = 0;    // the clock generator drives the pin at clockHz
    int vccMillivolts = 0;
    int vppMillivolts = 0;
    std::uint64_t clockHz = 0;
    std::int64_t nowPs = 0; // the box's time (line clock) at this update

    bool high(int pin) const { return (level & pinBit(pin)) != 0; }
    bool low(int pin) const { return !high(pin); }
    bool hasVcc(int pin) const { return (vcc & pinBit(pin)) != 0; }
    bool hasGround(int pin) const { return (ground & pinBit(pin)) != 0; }
    // Millivolts of Vpp on the pin, 0 when not switched there or the generator is off.
    int vppAt(int pin) const { return (vpp & pinBit(pin)) ? vppMillivolts : 0; }
    // Rising clock edges on a clocked pin between sincePs and now (the clock runs
    // free from time 0, so edges fall at whole periods).
    std::uint64_t clockEdgesSince(int pin, std::int64_t sincePs) const {
        if (!(clock & pinBit(pin)) || clockHz == 0 || nowPs <= sincePs || sincePs < 0) return 0;
        const auto periods = [this](std::int64_t ps) {
            return static_cast<std::uint64_t>(static_cast<unsigned __int128>(ps) * clockHz / 1'000'000'000'000ULL);
        };
        return periods(nowPs) - periods(sincePs);
    }
};

// The pins the chip drives and their levels; pins not in `enable` are released.
struct ChipDrive {
    PinMask enable = 0;
    PinMask level = 0;

    void drive(int pin, bool high) {
        enable |= pinBit(pin);
        if (high) level |= pinBit(pin); else level &= ~pinBit(pin);
    }
};

// Faults a chip model honours. The socket handles `missing` itself (the chip is
// then neither updated nor driving); the rest is for the chip models to apply to
// their cells and answers.
struct StuckBits {
    std::uint32_t first = 0;   // address range the fault covers
    std::uint32_t last = 0xFFFFFFFF;
    std::uint8_t mask = 0;     // bits forced
    std::uint8_t value = 0;    // their forced levels
    std::uint8_t apply(std::uint32_t address, std::uint8_t v) const {
        if (address < first || address > last) return v;
        return static_cast<std::uint8_t>((v & ~mask) | (value & mask));
    }
};

struct AddressRange {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    bool contains(std::uint32_t a) const { return a >= first && a <= last; }
};

// Two address lines of a memory wired together: the part sees both low when
// either is driven low.
struct ShortedLines {
    int a = 0, b = 0; // address bit numbers
};

// A memory cell that loses what was written: it reverts to its former value
// this long after the write.
struct LeakyCell {
    std::uint32_t address = 0;
    double microseconds = 0;
};

// A chip pin whose output is stuck at one level.
struct StuckPin {
    int pin = 0;
    bool high = false;
};

// A channel of an optocoupler that fails: its transistor never conducts (open),
// always conducts (short), or its LED never lights (dead).
struct OptoFault {
    enum class Kind { Open, Short, Dead };
    int channel = 0; // 1-based
    Kind kind = Kind::Open;
};

// How the part sits in the socket when it does not sit as the row places it:
// contacts that do not touch a pin, the part turned by 180 degrees, or the part
// some rows higher (towards socket pins 1 and 40). The socket applies it between
// the box's pins and the model, so every model sees its own pin numbering.
struct Seating {
    PinMask openContacts = 0; // chip pins whose socket contact is open
    bool reversed = false;
    int rowsHigher = 0;

    bool plain() const { return openContacts == 0 && !reversed && rowsHigher == 0; }
    bool operator==(const Seating&) const = default;
};

struct ChipFaults {
    bool missing = false;                 // the socket looks empty
    Seating seating;                      // bad contact, a reversed or misplaced part
    bool dead = false;                    // powered but doing nothing: every output released
    std::vector<ShortedLines> shorts;     // address lines wired together
    std::vector<LeakyCell> leaky;         // cells that do not keep what was written
    std::vector<StuckPin> stuckPins;      // outputs stuck at a level
    std::vector<OptoFault> opto;          // failing optocoupler channels
    bool busyForever = false;             // the first self-timed write or erase cycle never ends
    std::vector<StuckBits> stuck;         // bits that read fixed whatever the cell holds
    std::vector<AddressRange> noProgram;  // cells (pages) that will not program
    std::vector<AddressRange> weak;       // cells that need weakExtraPulses more pulses to take
    int weakExtraPulses = 0;
    double eraseTimeFactor = 1.0;         // > 1: erase (and write cycle) takes that much longer
    std::vector<AddressRange> protect;    // cells a sector protection keeps from writes and erases
    std::vector<std::uint8_t> signature;  // when not empty: read instead of the real signature

    std::uint8_t applyStuck(std::uint32_t address, std::uint8_t v) const {
        for (const auto& s : stuck) v = s.apply(address, v);
        return v;
    }
    bool programBlocked(std::uint32_t address) const {
        for (const auto& r : noProgram) if (r.contains(address)) return true;
        return false;
    }
    bool isWeak(std::uint32_t address) const {
        for (const auto& r : weak) if (r.contains(address)) return true;
        return false;
    }
};

struct ChipRatings;

class Chip {
public:
    virtual ~Chip() = default;
    // Number of pins (even, 2..40); the chip sits bottom-aligned in the socket.
    virtual int pinCount() const = 0;
    // Sees the pins, answers with what it drives. Called often: keep it cheap.
    virtual ChipDrive update(const ChipView& view) = 0;

    ChipFaults& faults() { return faults_; }
    const ChipFaults& faults() const { return faults_; }

    // What the Virtual socket window, the command line and chip images see of any
    // part: its name, its cells, its rated programming voltage and its eraser.
    // Parts without memory (logic, optocouplers) keep the empty defaults.
    virtual std::string label() const { return {}; }
    virtual std::vector<std::uint8_t>& memory() { return noCells_; }
    const std::vector<std::uint8_t>& memory() const { return const_cast<Chip*>(this)->memory(); }
    virtual int ratedVppMillivolts() const { return 0; }
    // What the data sheet allows on the pins (sim/ChipRatings.h); a part that
    // declares nothing is not refereed.
    virtual ChipRatings ratings() const;
    // The data sheet's pin names and what each pin does in the programming mode
    // the family uses (sim/PinLabels.h); empty for a model without a pinout.
    virtual quarvin::Pinout pinLabels() const { return {}; }
    // The pins that an unpowered part clamps to its supply rail through the
    // protection diodes of its inputs and the junctions of its outputs: with the
    // Vcc pin held low, each of them reads low through the box's pull-up, and
    // holding one of them low pulls the ground pin low (sim/UnpoweredPins.cpp).
    // By default every signal pin of a part that declares its ratings, except the
    // pins rated above Vcc (programming voltage, A9), which cannot have a diode
    // to Vcc; models override it where their data sheets say otherwise.
    virtual PinMask unpoweredClamps() const;
    // Back to the erased state the way the part is erased (UV light, bulk erase).
    virtual void erase() {}
    // 32-bit sum of every cell.
    std::uint32_t checksum() const {
        std::uint32_t s = 0;
        for (std::uint8_t c : memory()) s += c;
        return s;
    }
    // State beyond memory() that a chip image keeps (lock bits, fuses,
    // configuration words); parts without such state keep the empty default.
    virtual std::vector<std::uint8_t> extraState() const { return {}; }
    // Puts back what extraState() gave; false when the bytes do not fit the part.
    virtual bool loadExtraState(const std::vector<std::uint8_t>& state) { return state.empty(); }
    // Counts durable changes (cells programmed, erased, loaded), so that windows
    // and chip image files know when to look again.
    std::uint64_t changes() const { return changes_; }
    void markChanged() { ++changes_; }

private:
    ChipFaults faults_;
    std::uint64_t changes_ = 0;
    std::vector<std::uint8_t> noCells_;
};

// Socket pin of chip pin k for an n-pin chip inserted bottom-aligned.
constexpr int socketPinOf(int chipPins, int k) {
    const int half = chipPins / 2;
    return k <= half ? (40 - chipPins) / 2 + k : 20 + (k - half);
}

} // namespace quarvin::sim
