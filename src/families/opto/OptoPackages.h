#pragma once
// The optocoupler tester's packages: the socket pins of each channel's LED and
// transistor, the part in bottom-aligned position. Shared with the virtual box.
#include <array>
#include <vector>
#include "forms/Texts.h"

namespace quarvin {

struct OptoChannelPins {
    int anode, cathode, collector, emitter; // socket pins
};

struct OptoPackage {
    const char* text;  // RadioGroup1 item
    const char* chip;  // the part the virtual box puts in the socket
    int pins;          // of the package
    std::vector<OptoChannelPins> channels;
};

inline const std::array<OptoPackage, 4>& OptoPackages() {
    static const std::array<OptoPackage, 4> packages{{
        {QV_TEXT("DIP  4 pin"), "PC817", 4, {{19, 20, 22, 21}}},
        {QV_TEXT("DIP  6 pin"), "4N35", 6, {{18, 19, 22, 21}}},
        {QV_TEXT("DIP  8 pin"), "PC827", 8, {{19, 20, 22, 21}, {17, 18, 24, 23}}},
        {QV_TEXT("DIP 16 pin"), "PC847", 16, {{19, 20, 22, 21}, {17, 18, 24, 23}, {15, 16, 26, 25}, {13, 14, 28, 27}}},
    }};
    return packages;
}

} // namespace quarvin
