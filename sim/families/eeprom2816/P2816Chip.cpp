#include "sim/families/eeprom2816/P2816Chip.h"

#include "sim/ChipRatings.h"
#include "sim/PinLabels.h"

namespace quarvin::sim {

namespace {

// Microchip 28C16A (DS11125G), "Package Types", 24-pin DIP: A7..A0 on pins
// 1..8, I/O0..I/O2 on 9..11, Vss 12, I/O3..I/O7 on 13..17, CE 18, A10 19,
// OE 20, WE 21, A9 22, A8 23, Vcc 24.
constexpr P2816Pinout kDip24{24, 24, 12, 18, 20, 21, 0,
                             {8, 7, 6, 5, 4, 3, 2, 1, 23, 22, 19},
                             {9, 10, 11, 13, 14, 15, 16, 17}};
// Microchip 28C17A (DS11127G), "Package Types", 28-pin DIP: RDY/BSY 1, NC 2,
// A7..A0 on pins 3..10, I/O0..I/O2 on 11..13, Vss 14, I/O3..I/O7 on 15..19,
// CE 20, A10 21, OE 22, NC 23, A9 24, A8 25, NC 26, WE 27, Vcc 28.
constexpr P2816Pinout kDip28{28, 28, 14, 20, 22, 27, 1,
                             {10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21},
                             {11, 12, 13, 15, 16, 17, 18, 19}};

const P2816Type kTypes[] = {
    {"28C16A", &kDip24, false},
    {"28C17A", &kDip28, true},
};

constexpr std::uint32_t kCells = 2048;
// DS11127G Table 1-2: "VCC = +5V +/- 10%"; below it the model neither reads
// nor writes (the part's own Vcc detect inhibits writes below some 3.3 V).
constexpr int kMinimumVccMillivolts = 4500;
// DS11127G 1.1 "Maximum Ratings": "VCC and input voltages w.r.t. VSS -0.6V to
// +6.25V; Voltage on OE w.r.t. VSS -0.6V to +13.5V; Voltage on A9 w.r.t. VSS
// -0.6V to +13.5V; Output Voltage w.r.t. VSS -0.6V to VCC +0.6V".
constexpr int kSupplyMaxMillivolts = 6250;

} // namespace

const P2816Type* FindP2816Type(const std::string& name) {
    for (const P2816Type& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

P2816Chip::P2816Chip(const P2816Type& type) : type_(type), cells_(kCells, 0xFF) {}

std::uint32_t P2816Chip::addressOn(const ChipView& v) const {
    std::uint32_t a = 0;
    for (int b = 0; b < 11; ++b)
        if (v.high(type_.pinout->address[b])) a |= 1u << b;
    return a;
}

std::uint8_t P2816Chip::dataOn(const ChipView& v) const {
    std::uint8_t d = 0;
    for (int b = 0; b < 8; ++b)
        if (v.high(type_.pinout->data[b])) d = static_cast<std::uint8_t>(d | (1u << b));
    return d;
}

ChipDrive P2816Chip::update(const ChipView& v) {
    const P2816Pinout& p = *type_.pinout;
    ChipDrive out;
    // The byte is in the cell once the write cycle has run its time.
    if (busy_ && !faults().busyForever && v.nowPs >= busyUntil_) {
        busy_ = false;
        if (!faults().programBlocked(latchedAddress_)) {
            cells_[latchedAddress_] = written_;
            markChanged();
        }
    }
    const bool powered = v.hasVcc(p.vcc) && v.hasGround(p.ground) && v.vccMillivolts >= kMinimumVccMillivolts;
    if (!powered) {
        // A cycle cut short by the supply leaves the byte as it was.
        busy_ = false;
        lastWriteEnable_ = true;
        return out;
    }
    const bool selected = v.low(p.chipEnable);
    const bool writeEnable = v.high(p.writeEnable);
    // DS11127G 2.0, the table of operation modes: "Byte Write: CE L, OE H, WE L";
    // "holding WE or CE high or OE low inhibits a write cycle". The address is
    // taken as /WE falls and the data as it rises (the Static RAM write cycle of
    // 2.4); writes while the cycle runs are not taken.
    const bool writing = selected && v.high(p.outputEnable) && !busy_;
    if (writing && lastWriteEnable_ && !writeEnable) latchedAddress_ = addressOn(v);
    if (writing && !lastWriteEnable_ && writeEnable) {
        written_ = dataOn(v);
        busy_ = true;
        busyUntil_ = v.nowPs + static_cast<std::int64_t>(static_cast<double>(WriteCyclePs) *
                                                        std::max(1.0, faults().eraseTimeFactor));
    }
    lastWriteEnable_ = writeEnable;
    // DS11127G: "Byte Write ... Rdy/Busy L", every other mode H; "Note 1: Open
    // drain output": the pin is pulled low while busy and released otherwise.
    if (p.readyBusy && busy_) out.drive(p.readyBusy, false);
    if (!selected || v.high(p.outputEnable) || v.low(p.writeEnable)) return out;
    // DS11125G, "Description": the part is busy for the write cycle; "Data
    // polling allows the user to read the location last written to when the
    // write operation is complete". Until then I/O7 shows the complement of the
    // byte written (the DATA POLLING of the second source, Atmel AT28C17
    // 0541B); the other outputs are given the byte as written.
    const std::uint32_t a = addressOn(v);
    const std::uint8_t value =
        busy_ ? static_cast<std::uint8_t>(written_ ^ 0x80) : faults().applyStuck(a, cells_[a]);
    for (int b = 0; b < 8; ++b) out.drive(p.data[b], (value >> b) & 1);
    return out;
}

ChipRatings P2816Chip::ratings() const {
    const P2816Pinout& p = *type_.pinout;
    // Inputs are rated against Vss only, the outputs against Vcc (DS11127G 1.1,
    // above). The 28C16A's own ratings page was not at hand: its figures are
    // those of its 28C17A sibling, which the 28C64A (DS11109H 1.1) repeats word
    // for word, and nothing is assumed of its unpowered pins.
    ChipRatings r = ProgrammableRatings(p.vcc, p.ground, rating::Signal6V25, UnpoweredInputs::Tolerated, 0, 0,
                                        p.address[9], rating::Id13V5);
    r.supplyMaxMillivolts = kSupplyMaxMillivolts;
    r.id |= pinBit(p.outputEnable);
    for (int pin : p.data) r.vccRelative |= pinBit(pin);
    if (p.readyBusy) r.vccRelative |= pinBit(p.readyBusy);
    r.unpoweredPinsConfirmed = type_.ratingsOfOwnSheet;
    return r;
}

quarvin::Pinout P2816Chip::pinLabels() const {
    const P2816Pinout& p = *type_.pinout;
    ByteWidePins pins{p.pins, {}, {}, p.vcc, p.ground, p.chipEnable, p.outputEnable, p.writeEnable};
    pins.address.assign(std::begin(p.address), std::end(p.address));
    pins.data.assign(std::begin(p.data), std::end(p.data));
    quarvin::Pinout labels = ByteWidePinLabels(pins);
    if (p.readyBusy) labels[static_cast<std::size_t>(p.readyBusy - 1)] = {"RDY/BSY", PinRole::Control};
    return labels;
}

} // namespace quarvin::sim
