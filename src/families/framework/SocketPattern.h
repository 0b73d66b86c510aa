#pragma once
// What the socket check expects to read. With no supply switched anywhere and
// every pin released to the box's pull-ups, the check holds the part's Vcc pin
// low: each pin the unpowered part clamps to its Vcc rail then reads low, and so
// does its ground pin; every other socket pin reads high. The same pattern, with
// the Vcc pin held where it would sit, tells a part turned round or seated some
// rows too high.
#include <cstdint>
#include <string>
#include <vector>

#include "families/placement/PinRole.h"
#include "families/placement/SocketPlacement.h"
#include "forms/Texts.h"

namespace quarvin {

// Levels of the 40 socket pins, bit p-1 for socket pin p: 1 high.
using SocketLevels = std::uint64_t;
inline constexpr SocketLevels kAllSocketPinsHigh = (SocketLevels{1} << kSocketPins) - 1;
constexpr SocketLevels SocketPinBit(int p) { return SocketLevels{1} << (p - 1); }

// Where a part may sit: as its row places it, turned by 180 degrees, or some
// rows higher (towards socket pins 1 and 40).
struct Seat {
    bool reversed = false;
    int rowsHigher = 0;
};

// The row's part as the check sees it.
struct SocketCheckPlan {
    std::string refusal;          // not empty: the check cannot work on this row, and why
    SocketPlacement placement;    // where the part sits
    std::vector<int> vccPins;     // package pins joined to the supply rail
    std::vector<int> groundPins;  // ... to the ground rail
    std::uint64_t clamped = 0;    // package pins clamped to Vcc while unpowered (bit k-1)

    // Socket pin of package pin k in `seat`; 0 when that seat puts it off the socket.
    int socketPinOf(int packagePin, Seat seat) const;
    // The socket pins the check holds low in `seat`: where the Vcc pins sit.
    std::vector<int> heldPins(Seat seat) const;
    // What a good part in `seat` reads with its Vcc pin held low.
    SocketLevels expected(Seat seat) const;
    // How many rows higher the part could sit and still be in the socket.
    int highestSeat() const;
    // Package pins whose contact the check can see: the clamped pins, ground, and
    // a single Vcc pin through a second look.
    std::vector<int> checkedPins() const;
};

// The plan for a row: its placement and the pinout of its part. `familyRefusal`
// (not empty) is why the family can have no check at all.
SocketCheckPlan PlanSocketCheck(const SocketPlacement& placement, const PartPinout& part,
                                const std::string& familyRefusal = {});

// The messages, in the order of their precedence.
inline constexpr const char* kSocketOkText = QV_TEXT("Socket OK");
inline constexpr const char* kNoChipText = QV_TEXT("No chip in the socket");
inline constexpr const char* kBadContactText = "Bad contact on pin";
inline constexpr const char* kReversedText = QV_TEXT("The chip sits reversed");
inline constexpr const char* kNoSocketCheckText = "no socket check for this family";
// "Bad contact on pin 12" or "Bad contact on pin 12, pin 15".
std::string BadContactMessage(const std::vector<int>& packagePins);
// "The chip sits 2 rows too high".
std::string TooHighMessage(int rows);

} // namespace quarvin
