#include "families/framework/SocketPattern.h"

#include <algorithm>

#include "forms/Texts.h"

namespace quarvin {

int SocketCheckPlan::socketPinOf(int packagePin, Seat seat) const {
    const int n = placement.packagePins;
    const int half = n / 2;
    if (!placement.known() || packagePin < 1 || packagePin > n) return 0;
    // Turned round, package pin k sits where pin k + n/2 would.
    const int place = seat.reversed ? (packagePin - 1 + half) % n + 1 : packagePin;
    const int normal = placement.socketPinOf(place);
    if (normal == 0) return 0;
    // Higher rows move the left-hand side (1..20) towards 1, the right-hand one towards 40.
    const int moved = normal <= kSocketRowPins ? normal - seat.rowsHigher : normal + seat.rowsHigher;
    const bool onItsSide = normal <= kSocketRowPins ? moved >= 1 : moved <= kSocketPins;
    return onItsSide ? moved : 0;
}

std::vector<int> SocketCheckPlan::heldPins(Seat seat) const {
    std::vector<int> pins;
    for (int k : vccPins)
        if (const int s = socketPinOf(k, seat)) pins.push_back(s);
    return pins;
}

SocketLevels SocketCheckPlan::expected(Seat seat) const {
    SocketLevels levels = kAllSocketPinsHigh;
    for (int s : heldPins(seat)) levels &= ~SocketPinBit(s);
    std::vector<int> low = groundPins;
    for (int k = 1; k <= placement.packagePins; ++k)
        if (clamped >> (k - 1) & 1) low.push_back(k);
    for (int k : low)
        if (const int s = socketPinOf(k, seat)) levels &= ~SocketPinBit(s);
    return levels;
}

int SocketCheckPlan::highestSeat() const {
    if (!placement.known()) return 0;
    // Pin 1 may rise to socket pin 1, the last pin to socket pin 40.
    return std::max(0, std::min(placement.socketPinOf(1) - 1, kSocketPins - placement.socketPinOf(placement.packagePins)));
}

std::vector<int> SocketCheckPlan::checkedPins() const {
    std::vector<int> pins;
    for (int k = 1; k <= placement.packagePins; ++k) {
        // The Vcc pin is seen by a second look when it is the only one; of
        // several, the check holds them all, and one without contact goes unseen.
        const bool onlyVcc = vccPins.size() == 1 && vccPins.front() == k;
        const bool ground = std::find(groundPins.begin(), groundPins.end(), k) != groundPins.end();
        if (onlyVcc || ground || (clamped >> (k - 1) & 1)) pins.push_back(k);
    }
    return pins;
}

SocketCheckPlan PlanSocketCheck(const SocketPlacement& placement, const PartPinout& part,
                                const std::string& familyRefusal) {
    SocketCheckPlan plan;
    plan.placement = placement;
    if (!familyRefusal.empty()) {
        plan.refusal = std::string(QV_TEXT("no socket check for this family")) + ": " + familyRefusal;
        return plan;
    }
    if (!placement.known() || part.pins.size() != static_cast<std::size_t>(placement.packagePins)) {
        plan.refusal = QV_TEXT("no socket check for this device: its pins in the socket are not known");
        return plan;
    }
    for (std::size_t k = 0; k < part.pins.size(); ++k) {
        const int pin = static_cast<int>(k) + 1;
        if (part.pins[k].role == PinRole::Vcc) plan.vccPins.push_back(pin);
        if (part.pins[k].role == PinRole::Ground) plan.groundPins.push_back(pin);
    }
    plan.clamped = part.unpoweredClamps;
    if (plan.vccPins.empty() || plan.clamped == 0)
        plan.refusal = QV_TEXT("no socket check for this device: no pin of it is known to answer while it is unpowered");
    return plan;
}

std::string BadContactMessage(const std::vector<int>& packagePins) {
    std::string text = QV_TEXT("Bad contact on pin");
    for (std::size_t i = 0; i < packagePins.size(); ++i)
        text += (i ? ", pin " : " ") + std::to_string(packagePins[i]);
    return text;
}

std::string TooHighMessage(int rows) {
    return std::string(QV_TEXT("The chip sits")) + " " + std::to_string(rows) + " " +
           (rows == 1 ? QV_TEXT("row too high") : QV_TEXT("rows too high"));
}

} // namespace quarvin
