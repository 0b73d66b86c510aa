#include "families/placement/SocketText.h"

#include <algorithm>
#include <cstdio>

namespace quarvin {

namespace {

constexpr const char* kBodyTop = "+-\\_/-+"; // the notch marks the pin 1 end
constexpr const char* kBodyMiddle = "|     |";
constexpr const char* kBodyBottom = "+-----+";
constexpr const char* kBodyNone = "       ";

std::string Padded(const std::string& s, std::size_t width, bool right) {
    if (s.size() >= width) return s;
    const std::string fill(width - s.size(), ' ');
    return right ? fill + s : s + fill;
}

std::string PinNumber(int packagePin) {
    char text[16]; // room for any int
    std::snprintf(text, sizeof text, "%2d", packagePin);
    return packagePin ? text : "  ";
}

std::string Header(const SocketPicture& p) {
    std::string text = p.device + "\n";
    if (!p.known()) return text + kPlacementNotKnown + "\n";
    if (!p.part.empty()) text += p.part + ": ";
    return text + std::to_string(p.placement.packagePins) + " pins, pin 1 in socket pin " +
           std::to_string(p.placement.firstSocketPin) + ", notch towards the lever\n";
}

std::string Key(const SocketPicture& p) {
    std::string key = "key:";
    for (PinRole role : {PinRole::Vcc, PinRole::Ground, PinRole::Vpp, PinRole::Clock, PinRole::Data, PinRole::Address,
                         PinRole::Control, PinRole::Unused, PinRole::Unknown}) {
        const bool shown = std::any_of(p.pins.begin(), p.pins.end(), [&](const auto& pin) { return pin.role == role; });
        if (role == PinRole::Unknown && !shown) continue;
        key += std::string(" ") + RoleLetter(role) + " " + RoleName(role) + ",";
    }
    key.back() = '\n';
    return key;
}

} // namespace

std::string SocketText(const SocketPicture& p) {
    std::string text = Header(p);
    if (!p.known()) return text;
    std::size_t nameWidth = 3;
    for (const auto& pin : p.pins) nameWidth = std::max(nameWidth, pin.name.size());
    const int firstRow = p.placement.firstSocketPin;
    const int lastRow = firstRow + p.placement.packagePins / 2 - 1;
    const std::size_t leftWidth = 3 + 1 + 1 + 1 + 2 + 1 + nameWidth + 1;
    text += Padded("", leftWidth, false) + "lever\n";
    for (int left = 1; left <= kSocketRowPins; ++left) {
        const int right = kSocketPins + 1 - left;
        const SocketPinPicture& l = p.at(left);
        const SocketPinPicture& r = p.at(right);
        const char* body = left < firstRow || left > lastRow ? kBodyNone
                         : left == firstRow                  ? kBodyTop
                         : left == lastRow                   ? kBodyBottom
                                                             : kBodyMiddle;
        char number[16]; // room for any int
        std::snprintf(number, sizeof number, "%3d", left);
        text += std::string(number) + " " + RoleLetter(l.role) + " " + PinNumber(l.packagePin) + " " +
                Padded(l.name, nameWidth, false) + " " + body + " " + Padded(r.name, nameWidth, true) + " " +
                PinNumber(r.packagePin) + " " + RoleLetter(r.role) + " " + std::to_string(right) + "\n";
    }
    return text + Key(p);
}

} // namespace quarvin
