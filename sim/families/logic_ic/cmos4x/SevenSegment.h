#pragma once
// Seven-segment patterns of the BCD decoders, bit 0 = segment a .. bit 6 = segment g.
#include <array>

namespace quarvin::sim::cmos4x {

// The digits 0..9 as the Motorola-style decoders draw them: 6 without the top bar
// and 9 without the bottom bar.
inline constexpr std::array<unsigned, 10> kDigitsWithoutTails{0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                              0x6D, 0x7C, 0x07, 0x7F, 0x67};
inline constexpr unsigned kAllSegments = 0x7F;

} // namespace quarvin::sim::cmos4x
