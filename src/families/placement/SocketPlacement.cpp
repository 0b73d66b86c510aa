#include "families/placement/SocketPlacement.h"

#include <algorithm>

namespace quarvin {

namespace {

std::vector<int> WithoutNone(std::vector<int> pins) {
    std::erase_if(pins, [](int p) { return p <= 0; });
    return pins;
}

} // namespace

int SocketPlacement::socketPinOf(int packagePin) const {
    if (!known() || packagePin < 1 || packagePin > packagePins) return 0;
    const int half = packagePins / 2;
    // Pins 1..half go down the left side; half+1..n come back up the right side,
    // opposite their partners.
    if (packagePin <= half) return firstSocketPin + packagePin - 1;
    const int oppositeOfPinOne = kSocketPins + 1 - firstSocketPin;
    return oppositeOfPinOne - (packagePins - packagePin);
}

int SocketPlacement::packagePinAt(int socketPin) const {
    for (int k = 1; k <= packagePins; ++k)
        if (socketPinOf(k) == socketPin) return k;
    return 0;
}

SocketPlacement BottomAligned(int pins, std::vector<int> vcc, std::vector<int> ground, std::vector<int> vpp) {
    SocketPlacement p;
    if (pins < 2 || pins > kSocketPins || pins % 2 != 0) return p;
    p.packagePins = pins;
    p.firstSocketPin = kSocketRowPins - pins / 2 + 1;
    p.vcc = WithoutNone(std::move(vcc));
    p.ground = WithoutNone(std::move(ground));
    p.vpp = WithoutNone(std::move(vpp));
    return p;
}

SocketPlacement BottomAlignedBySupply(int vccSocketPin, std::vector<int> vpp) {
    const int pins = PackagePinsOfVcc(vccSocketPin);
    if (pins < 8) return {};
    return BottomAligned(pins, {vccSocketPin}, {kSocketRowPins}, std::move(vpp));
}

} // namespace quarvin
