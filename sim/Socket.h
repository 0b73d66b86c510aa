#pragma once
// The box's registers and latches and the 40-pin socket they drive. Every pin's
// level is resolved from the box side (ground/Vcc/Vpp switches, logic driver) and
// the chip in the socket. Where both sides drive a pin, the box side wins and the
// clash is recorded (contention), so a protocol that leaves the box driving the
// data bus while the chip answers reads the box's own levels, as a stiff driver
// would on the bench.
#include <array>
#include <cstdint>
#include <memory>

#include "sim/Chip.h"
#include "sim/StressReferee.h"

namespace quarvin::sim {

// Socket masks use bit (p-1) for socket pin p.
constexpr PinMask socketBit(int p) { return PinMask{1} << (p - 1); }
constexpr PinMask AllSocketPins = (PinMask{1} << 40) - 1;

struct Registers {
    std::array<std::uint8_t, 5> direction{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}; // 1 = input
    std::array<std::uint8_t, 2> control{0xFF, 0xFF};
    std::uint8_t mode = 0x70;          // clock off
    std::array<std::uint8_t, 5> port{}; // output ports
    bool pin20High = false;            // output level of pins 20 and 40 (PinHigh/PinLow)
    bool pin40High = false;
    std::uint8_t vppA = 0x00;
    std::uint8_t vppB = 0x80;
    std::uint8_t vccA = 0xFF;
    std::uint8_t vccGnd = 0x07;

    bool operator==(const Registers&) const = default;
};

class Socket {
public:
    static constexpr int NormalVccMillivolts = 5000;
    static constexpr int RaisedVccMillivolts = 6000;

    Socket();

    // Board fitting: without the ground switch on pin 31 (board 'a') that latch
    // bit does nothing.
    void setGroundSwitchOn31(bool fitted);
    void setClockHz(std::uint64_t hz) { clockHz_ = hz; }

    // Registers. Each write re-resolves the pins and lets the chip see the change.
    const Registers& registers() const { return regs_; }
    void writeDirection(int n, std::uint8_t v);
    void writeControl(int n, std::uint8_t v);
    void writeMode(std::uint8_t v);
    void writePort(int n, std::uint8_t v);
    void writeVppLatchA(std::uint8_t v);
    void writeVppLatchB(std::uint8_t v);
    void writeVccLatchA(std::uint8_t v);
    void writeVccGndLatch(std::uint8_t v);
    void setPinOutput(int p, bool high); // PinHigh / PinLow; pin 0 or >40: nothing
    void powerOff();                      // all switches open, all drivers off

    // Derived state.
    int vppCode() const { return (~regs_.control[1]) & 0x0F; }
    int vppMillivolts() const;           // level of the Vpp generator, 0 = off
    int vccMillivolts() const;
    int clockMode() const { return (~regs_.mode >> 4) & 0x07; }
    int clockPin() const;                // socket pin carrying the clock, 0 = none
    PinMask vccPins() const { return vcc_; }
    PinMask groundPins() const { return ground_; }
    PinMask vppPins() const { return vpp_; }
    PinMask boxDrivenPins() const { return boxDriven_; }
    PinMask chipDrivenPins() const;
    PinMask contention() const { return contention_; }
    std::uint64_t contentionEvents() const { return contentionEvents_; }
    // The electrical referee of the part in the socket.
    StressReferee& referee() { return referee_; }
    const StressReferee& referee() const { return referee_; }

    // Resolved level of every pin (bit p-1), refreshing the chip at time nowPs first.
    PinMask levels(std::int64_t nowPs);
    bool pinLevel(int p, std::int64_t nowPs) { return (levels(nowPs) & socketBit(p)) != 0; }
    std::uint8_t readInputPort(int n, std::int64_t nowPs); // bits without a pin read 1
    std::uint8_t readStatus(std::int64_t nowPs);           // bit 7 pin 20, bit 6 pin 40

    // The chip. Inserting replaces any chip already there.
    void insert(std::shared_ptr<Chip> chip);
    void remove() { insert(nullptr); }
    Chip* chip() const { return chip_.get(); }
    int chipOffset() const { return offset_; }

    // Lets the chip see the current state at time nowPs (the box calls it after
    // every change and before every read).
    void refresh(std::int64_t nowPs);

private:
    void derive();
    // Where each chip pin touches the socket, from the part's seating fault.
    void seat(const Seating& seating);
    PinMask toChip(PinMask m) const;
    PinMask toSocket(PinMask m) const;
    // The pins an unpowered part pulls low through its protection diodes.
    PinMask unpoweredLows(const ChipView& view, const ChipDrive& drive) const;
    bool chipPresent() const { return chip_ && !chip_->faults().missing; }

    Registers regs_;
    bool groundSwitch31_ = true;
    std::uint64_t clockHz_ = 4'000'000;
    std::shared_ptr<Chip> chip_;
    int offset_ = 0, half_ = 0;
    // The seating in use; unless plain, contactOf_[k] is the socket pin chip pin k
    // touches (0: none).
    Seating seating_;
    std::array<int, 41> contactOf_{};
    PinMask openChipPins_ = 0;
    // The part's rails and the pins it clamps to them while unpowered (chip numbering).
    PinMask supplyPins_ = 0, groundPins_ = 0, clampPins_ = 0;

    // Box side, derived from the registers.
    PinMask boxDriven_ = 0, boxLevel_ = 0, vcc_ = 0, ground_ = 0, vpp_ = 0;
    // Chip side, in socket numbering.
    PinMask chipEnable_ = 0, chipLevel_ = 0;
    PinMask contention_ = 0;
    std::uint64_t contentionEvents_ = 0;
    StressReferee referee_;
    std::int64_t lastRefreshPs_ = -1;
    bool dirty_ = true;
};

// Millivolts of a Vpp code, 0 for "off" and for codes the generator does not have.
int vppCodeMillivolts(int code);

} // namespace quarvin::sim
