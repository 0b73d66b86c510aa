#pragma once
// The placement picture of a device row: the 40-pin socket, the part's outline in
// its rows and every socket pin with its role and data sheet name. The command
// line prints it as text or SVG; the windows paint it from the same model.
#include <array>
#include <string>
#include <vector>

#include "families/placement/PinRole.h"
#include "families/placement/SocketPlacement.h"

namespace quarvin {

struct SocketPinPicture {
    int packagePin = 0;             // 0: no pin of the part in this socket pin
    PinRole role = PinRole::Unused;
    std::string name;               // data sheet name; empty when not known
};

// Something seen on a socket pin (an electrical stress event of the virtual box),
// marked on the picture.
struct PinFinding {
    int socketPin = 0;
    std::string text;
    bool operator==(const PinFinding&) const = default;
};

struct SocketPicture {
    std::string device;    // the row's name as the device list shows it
    std::string part;      // the part the row stands for; empty when none
    SocketPlacement placement;
    std::array<SocketPinPicture, kSocketPins> pins{}; // index = socket pin - 1
    std::vector<PinFinding> findings;

    bool known() const { return placement.known(); }
    const SocketPinPicture& at(int socketPin) const { return pins.at(static_cast<std::size_t>(socketPin - 1)); }
    bool hasFinding(int socketPin) const;
};

// The picture of a row from its placement and, where one exists, the part's
// pinout. Supplies come from the placement (what the family switches); the other
// roles and the names from the pinout. A pinout of another pin count than the
// placement is not used.
SocketPicture MakeSocketPicture(std::string device, std::string part, const SocketPlacement& placement,
                                const Pinout& pinout);

// The text the windows and the command line show for a row without placement data.
inline constexpr const char* kPlacementNotKnown = "placement not known";

// What a socket pin holds, for hover texts: "socket pin 7: pin 1 VPP (Vpp)", and
// what was seen there, one line each.
std::string PinDescription(const SocketPicture& picture, int socketPin);

// One letter per role in the text picture, and the key that explains them.
char RoleLetter(PinRole role);
const char* RoleName(PinRole role);
// The colour each role is painted in (#rrggbb), shared by the SVG and the window.
const char* RoleColour(PinRole role);

// Where socket pins are drawn, in millimetres of the real socket: pins 1..20 down
// the left row, 21..40 up the right row, 2.54 mm apart, rows 15.24 mm apart; pin 1
// at the lever end.
struct SocketGeometry {
    static constexpr double Pitch = 2.54;
    static constexpr double RowSpacing = 15.24;
    static double x(int socketPin) { return socketPin <= kSocketRowPins ? 0.0 : RowSpacing; }
    static double y(int socketPin) {
        const int row = socketPin <= kSocketRowPins ? socketPin - 1 : kSocketPins - socketPin;
        return row * Pitch;
    }
};

} // namespace quarvin
