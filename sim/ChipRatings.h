#pragma once
// What a part's data sheet allows on its pins: the absolute maximum ratings and
// the supply rules the virtual box's stress referee holds every sequence to.
// Pins are in the chip's own numbering (bit k-1 = chip pin k).
#include "sim/Chip.h"

namespace quarvin::sim {

// Common absolute maximum figures of the data sheets, in millivolts.
namespace rating {
// Each model quotes the data sheet a figure comes from where it uses it.
inline constexpr int Supply7V = 7000;
inline constexpr int Supply6V5 = 6500;
inline constexpr int Supply6V6 = 6600;      // the Atmel microcontrollers' "maximum operating voltage 6.6 V"
inline constexpr int Signal7V = 7000;
inline constexpr int Signal6V5 = 6500;
inline constexpr int Signal6V25 = 6250;
inline constexpr int Vpp14V = 14000;
inline constexpr int Vpp12V5 = 12500;
inline constexpr int Vpp13V = 13000;
inline constexpr int Vpp13V5 = 13500;
inline constexpr int Id13V5 = 13500;
inline constexpr int Id12V5 = 12500;
inline constexpr int Id14V = 14000;
inline constexpr int CmosSupply18V = 18000;
} // namespace rating

// How the data sheet rates the signal pins against the part's own supply.
enum class UnpoweredInputs {
    // Rated "Vcc + 0.5 V" (or similar): a pin driven high on an unpowered part
    // feeds it through its input protection diodes.
    Forbidden,
    // Rated only "with respect to ground" (-0.6 V to +7 V, whatever Vcc is):
    // the data sheet allows a high pin while the supply is off, and says
    // nothing of a diode to Vcc, so the socket check cannot rely on one.
    Tolerated,
};

struct ChipRatings {
    PinMask supply = 0;            // Vcc pins
    PinMask ground = 0;            // ground pins
    int supplyMaxMillivolts = rating::Supply7V;
    PinMask vpp = 0;               // pins rated for the programming voltage
    int vppMaxMillivolts = 0;
    PinMask id = 0;                // pins rated for the identification voltage (A9)
    int idMaxMillivolts = 0;
    PinMask vccAllowed = 0;        // signal pins the data sheet lets be tied to Vcc
    int signalMaxMillivolts = rating::Signal7V; // every other pin
    UnpoweredInputs unpoweredInputs = UnpoweredInputs::Forbidden;
    bool vccBeforeVpp = true;      // Vcc on before Vpp is applied, off only after it
    // Pins rated against Vcc even where the others are rated against ground
    // (the outputs of some memories: "Vcc + 0.6 V").
    PinMask vccRelative = 0;
    // Pins the pin description gives an internal pull-up to Vcc (the 8051's
    // ports 1 to 3): unpowered, the pull-up's p-channel transistor joins the
    // pin to the Vcc pin even where the ratings are against ground.
    PinMask pulledUpToVcc = 0;
    // False while no data sheet of the part was at hand: the figures above are
    // kept (marked unconfirmed where they are declared), but nothing tells how
    // an unpowered pin behaves, so the socket check tests none of them.
    bool unpoweredPinsConfirmed = true;
    bool rated = false;            // the model declares its ratings

    bool declared() const { return rated; }
    // The most a pin may see.
    int maxMillivolts(int chipPin) const {
        const PinMask b = pinBit(chipPin);
        if (supply & b) return supplyMaxMillivolts;
        if (vpp & b) return vppMaxMillivolts;
        if (id & b) return idMaxMillivolts;
        return signalMaxMillivolts;
    }
};

// Chip pins first..last.
inline constexpr PinMask PinRange(int first, int last) {
    PinMask m = 0;
    for (int k = first; k <= last; ++k) m |= pinBit(k);
    return m;
}

// A part with one supply and one ground pin, signal pins rated to `signalMax`.
inline ChipRatings SupplyRatings(int vccPin, int groundPin, int signalMax, UnpoweredInputs unpowered) {
    ChipRatings r;
    r.rated = true;
    r.supply = vccPin ? pinBit(vccPin) : 0;
    r.ground = groundPin ? pinBit(groundPin) : 0;
    r.signalMaxMillivolts = signalMax;
    r.unpoweredInputs = unpowered;
    return r;
}

// The same with a programming-voltage pin (0: none) and an identification pin (0: none).
inline ChipRatings ProgrammableRatings(int vccPin, int groundPin, int signalMax, UnpoweredInputs unpowered,
                                       int vppPin, int vppMax, int idPin = 0, int idMax = 0) {
    ChipRatings r = SupplyRatings(vccPin, groundPin, signalMax, unpowered);
    if (vppPin) {
        r.vpp = pinBit(vppPin);
        r.vppMaxMillivolts = vppMax;
    }
    if (idPin) {
        r.id = pinBit(idPin);
        r.idMaxMillivolts = idMax;
    }
    return r;
}

} // namespace quarvin::sim
