#pragma once
// Where a device row's part sits in the 40-pin socket and which socket pins the
// family switches its supplies to: the data that the socket picture, the socket
// check and the chip models' agreement test all read.
#include <vector>

namespace quarvin {

inline constexpr int kSocketPins = 40;
inline constexpr int kSocketRowPins = kSocketPins / 2; // pins per side

struct SocketPlacement {
    int packagePins = 0;      // 0: placement not known
    int firstSocketPin = 0;   // socket pin of package pin 1
    std::vector<int> vcc;     // socket pins the family switches Vcc to
    std::vector<int> ground;  // ... ground to
    std::vector<int> vpp;     // ... the programming voltage to

    bool known() const { return packagePins > 0; }
    bool operator==(const SocketPlacement&) const = default;
    // Socket pin of package pin k (1-based), 0 when the placement is not known.
    int socketPinOf(int packagePin) const;
    // Package pin in socket pin s, 0 when no pin of the part is there.
    int packagePinAt(int socketPin) const;
};

// The package of a bottom-aligned part whose last pin sits in `socketPin` (its
// Vcc, for most parts): 32 for a 24-pin part, 40 for a 40-pin one; 0 below.
constexpr int PackagePinsOfVcc(int socketPin) {
    return socketPin > kSocketRowPins ? 2 * (socketPin - kSocketRowPins) : 0;
}

// A DIP part of `pins` pins whose last left-hand pin sits in socket pin 20 (the
// socket's usual alignment). Supplies are socket pins; 0 entries are dropped.
SocketPlacement BottomAligned(int pins, std::vector<int> vcc, std::vector<int> ground, std::vector<int> vpp = {});

// A part whose Vcc is its last pin and ground its middle one (the byte-wide
// memories): the package follows from the Vcc socket pin (32: 24 pins, 34: 28,
// 36: 32). Not known for 0 (placeholder rows) or a pin that fits no package.
SocketPlacement BottomAlignedBySupply(int vccSocketPin, std::vector<int> vpp = {});

} // namespace quarvin
