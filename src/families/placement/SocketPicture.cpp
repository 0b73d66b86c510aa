#include "families/placement/SocketPicture.h"

#include <algorithm>

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

char RoleLetter(PinRole role) {
    switch (role) {
    case PinRole::Vcc: return 'V';
    case PinRole::Ground: return 'G';
    case PinRole::Vpp: return 'P';
    case PinRole::Clock: return 'K';
    case PinRole::Data: return 'D';
    case PinRole::Address: return 'A';
    case PinRole::Control: return 'C';
    case PinRole::Unknown: return '?';
    case PinRole::Unused: break;
    }
    return '.';
}

const char* RoleName(PinRole role) {
    switch (role) {
    case PinRole::Vcc: return "Vcc";
    case PinRole::Ground: return "ground";
    case PinRole::Vpp: return "Vpp";
    case PinRole::Clock: return "clock";
    case PinRole::Data: return "data";
    case PinRole::Address: return "address";
    case PinRole::Control: return "control";
    case PinRole::Unknown: return "role not known";
    case PinRole::Unused: break;
    }
    return "unused";
}

const char* RoleColour(PinRole role) {
    switch (role) {
    case PinRole::Vcc: return "#d62728";
    case PinRole::Ground: return "#222222";
    case PinRole::Vpp: return "#ff7f0e";
    case PinRole::Clock: return "#9467bd";
    case PinRole::Data: return "#1f77b4";
    case PinRole::Address: return "#2ca02c";
    case PinRole::Control: return "#e377c2";
    case PinRole::Unknown: return "#8c8c8c";
    case PinRole::Unused: break;
    }
    return "#ffffff";
}

} // namespace quarvin
