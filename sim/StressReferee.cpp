#include "sim/StressReferee.h"

#include <algorithm>
#include <cstdio>

namespace quarvin::sim {

namespace {

PinMask lowBits(int n) { return n >= 64 ? ~PinMask{0} : (PinMask{1} << n) - 1; }

template <class F> void forEachPin(PinMask m, F f) {
    for (int k = 1; m; ++k, m >>= 1)
        if (m & 1) f(k);
}

} // namespace

const char* StressRuleText(StressRule rule) {
    switch (rule) {
    case StressRule::OverVoltage: return "above the pin's rating";
    case StressRule::VppWithoutVcc: return "Vpp without Vcc";
    case StressRule::VccOffUnderVpp: return "Vcc off while Vpp is on";
    case StressRule::DrivenUnpowered: return "driven high while the part has no supply";
    case StressRule::LongContention: return "box drives against the part's output";
    case StressRule::SupplyOnSignalPin: return "supply on a pin that is not a supply pin";
    case StressRule::LeftPowered: return "part still powered after the operation";
    case StressRule::LeftDriven: return "pin still driven high after the operation";
    }
    return "?";
}

std::string DescribeStress(const StressEvent& e) {
    char text[200];
    std::snprintf(text, sizeof text, "%.3f ms: socket pin %d (chip pin %d) at %d mV: %s (%s)",
                  static_cast<double>(e.atPs) / 1e9, e.socketPin, e.chipPin, e.millivolts, StressRuleText(e.rule),
                  e.operation.empty() ? "no operation" : e.operation.c_str());
    return text;
}

void StressReferee::setChip(const Chip* chip) {
    ratings_ = chip ? chip->ratings() : ChipRatings{};
    // As the socket seats it: an even count of 2..40 pins.
    pins_ = chip ? std::min(40, std::max(2, chip->pinCount())) & ~1 : 0;
    active_.fill(0);
    clashSincePs_.fill(-1);
    clashReported_ = 0;
    poweredWithVpp_ = false;
    closeCheckPending_ = false;
    hasView_ = false;
}

StressReferee::Levels StressReferee::levelsOf(const ChipView& v) const {
    Levels l;
    const PinMask pins = lowBits(pins_);
    l.high = v.driven & v.level & ~v.ground & pins;
    l.vppLive = (v.vppMillivolts > 0 ? v.vpp : 0) & ~v.ground & pins;
    // Supply pins of one part are joined inside it: any of them feeds it.
    l.powered = ratings_.supply == 0 || (l.high & ratings_.supply) != 0;
    return l;
}

int StressReferee::millivoltsAt(const ChipView& v, const Levels& l, int chipPin) const {
    const PinMask b = pinBit(chipPin);
    if (!(l.high & b)) return 0;
    int mv = LogicHighMillivolts;
    if (v.vcc & b) mv = v.vccMillivolts;
    if ((l.vppLive & b) && v.vppMillivolts > mv) mv = v.vppMillivolts;
    return mv;
}

void StressReferee::record(StressRule rule, int chipPin, int millivolts) {
    ++count_;
    if (events_.size() >= MaxKeptEvents) return;
    StressEvent e;
    e.atPs = last_.nowPs;
    e.chipPin = chipPin;
    e.socketPin = socketPinOf(pins_, chipPin);
    e.millivolts = millivolts;
    e.rule = rule;
    e.operation = operation_;
    events_.push_back(std::move(e));
}

void StressReferee::flag(StressRule rule, PinMask mask, const ChipView& v, const Levels& l) {
    PinMask& active = active_[static_cast<std::size_t>(rule)];
    forEachPin(mask & ~active, [&](int k) { record(rule, k, millivoltsAt(v, l, k)); });
    active = mask;
}

void StressReferee::observe(const ChipView& v, PinMask clash) {
    last_ = v;
    hasView_ = true;
    if (!ratings_.declared()) return;
    const Levels l = levelsOf(v);
    const ChipRatings& r = ratings_;

    PinMask over = 0;
    forEachPin(l.vppLive | (v.vcc & l.high), [&](int k) {
        if (millivoltsAt(v, l, k) > r.maxMillivolts(k)) over |= pinBit(k);
    });
    flag(StressRule::OverVoltage, over, v, l);

    // Vpp on a part without its supply: which rule depends on what changed last.
    const PinMask vppOn = l.vppLive & ~r.supply;
    const bool sequenceBroken = r.vccBeforeVpp && vppOn && !l.powered;
    PinMask vppFirst = 0, vccFirstOff = 0;
    if (sequenceBroken) (poweredWithVpp_ ? vccFirstOff : vppFirst) = vppOn;
    else poweredWithVpp_ = l.powered && vppOn;
    flag(StressRule::VppWithoutVcc, vppFirst, v, l);
    flag(StressRule::VccOffUnderVpp, vccFirstOff, v, l);

    const PinMask feedsSupply =
        r.unpoweredInputs == UnpoweredInputs::Forbidden ? ~PinMask{0} : r.vccRelative;
    flag(StressRule::DrivenUnpowered,
         l.powered ? 0 : l.high & feedsSupply & ~(r.supply | r.ground | (sequenceBroken ? vppOn : 0)), v, l);

    flag(StressRule::SupplyOnSignalPin, v.vcc & lowBits(pins_) & ~(r.supply | r.vpp | r.id | r.vccAllowed), v, l);

    forEachPin(clashReported_ & ~clash, [&](int k) { clashReported_ &= ~pinBit(k); });
    for (int k = 1; k <= pins_; ++k) {
        auto& since = clashSincePs_[static_cast<std::size_t>(k - 1)];
        if (!(clash & pinBit(k))) {
            since = -1;
            continue;
        }
        if (since < 0) since = v.nowPs;
        if (v.nowPs - since > graceP_ && !(clashReported_ & pinBit(k))) {
            clashReported_ |= pinBit(k);
            record(StressRule::LongContention, k, (v.level & pinBit(k)) ? LogicHighMillivolts : 0);
        }
    }
}

void StressReferee::checkLeftOver() {
    if (!hasView_ || !ratings_.declared()) return;
    const Levels l = levelsOf(last_);
    const PinMask supplied = l.high & ratings_.supply;
    if (supplied) {
        forEachPin(supplied, [&](int k) { record(StressRule::LeftPowered, k, millivoltsAt(last_, l, k)); });
        return;
    }
    const PinMask feedsSupply =
        ratings_.unpoweredInputs == UnpoweredInputs::Forbidden ? ~PinMask{0} : ratings_.vccRelative;
    forEachPin(l.high & feedsSupply & ~ratings_.ground, [&](int k) { record(StressRule::LeftDriven, k, millivoltsAt(last_, l, k)); });
}

void StressReferee::operationEnded(bool leavesPowered) {
    if (leavesPowered) {
        closeCheckPending_ = true;
        return;
    }
    closeCheckPending_ = false;
    checkLeftOver();
}

void StressReferee::dialogClosed() {
    closeCheckPending_ = false;
    checkLeftOver();
}

} // namespace quarvin::sim

namespace quarvin::sim {
ChipRatings Chip::ratings() const { return {}; }
} // namespace quarvin::sim
