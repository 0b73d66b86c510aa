#include "families/placement/SocketPicture.h"

#include <algorithm>
#include <iterator>

namespace quarvin {

namespace {

bool Contains(const std::vector<int>& pins, int pin) { return std::find(pins.begin(), pins.end(), pin) != pins.end(); }

} // namespace

SocketPicture MakeSocketPicture(std::string device, std::string part, const SocketPlacement& placement,
                                const Pinout& pinout) {
    SocketPicture picture;
    picture.device = std::move(device);
    picture.part = std::move(part);
    picture.placement = placement;
    if (!placement.known()) return picture;
    const bool named = static_cast<int>(pinout.size()) == placement.packagePins;
    for (int k = 1; k <= placement.packagePins; ++k) {
        const int s = placement.socketPinOf(k);
        SocketPinPicture& pin = picture.pins.at(static_cast<std::size_t>(s - 1));
        pin.packagePin = k;
        if (named) {
            const PinLabel& label = pinout[static_cast<std::size_t>(k - 1)];
            pin.name = label.name;
            pin.role = label.role;
        } else {
            pin.role = PinRole::Unknown;
        }
        // The family's supply switches decide: a pin that doubles as Vpp (/OE/VPP,
        // RST/VPP) shows Vpp because that is what the sequences put on it.
        if (Contains(placement.vpp, s)) pin.role = PinRole::Vpp;
        if (Contains(placement.ground, s)) pin.role = PinRole::Ground;
        if (Contains(placement.vcc, s)) pin.role = PinRole::Vcc;
    }
    return picture;
}

std::string PinDescription(const SocketPicture& picture, int socketPin) {
    const SocketPinPicture& pin = picture.at(socketPin);
    std::string text = "socket pin " + std::to_string(socketPin);
    if (pin.packagePin) {
        text += ": pin " + std::to_string(pin.packagePin);
        if (!pin.name.empty()) text += " " + pin.name;
    }
    text += std::string(" (") + RoleName(pin.role) + ")";
    for (const PinFinding& f : picture.findings)
        if (f.socketPin == socketPin) text += "\n" + f.text;
    return text;
}

bool SocketPicture::hasFinding(int socketPin) const {
    return std::any_of(findings.begin(), findings.end(), [&](const PinFinding& f) { return f.socketPin == socketPin; });
}

namespace {

struct RoleStyle {
    char letter;        // in the text picture
    const char* name;   // in keys and hover texts
    const char* colour; // in the SVG and the windows
};

// In the order of PinRole.
constexpr RoleStyle kRoleStyles[] = {
    {'.', "unused", "#ffffff"},        {'V', "Vcc", "#d62728"},     {'G', "ground", "#222222"},
    {'P', "Vpp", "#ff7f0e"},           {'K', "clock", "#9467bd"},   {'D', "data", "#1f77b4"},
    {'A', "address", "#2ca02c"},       {'C', "control", "#e377c2"}, {'?', "role not known", "#8c8c8c"},
};
static_assert(std::size(kRoleStyles) == static_cast<std::size_t>(PinRole::Unknown) + 1);

const RoleStyle& StyleOf(PinRole role) { return kRoleStyles[static_cast<std::size_t>(role)]; }

} // namespace

char RoleLetter(PinRole role) { return StyleOf(role).letter; }
const char* RoleName(PinRole role) { return StyleOf(role).name; }
const char* RoleColour(PinRole role) { return StyleOf(role).colour; }

} // namespace quarvin
