// Data selectors. A disabled push-pull selector drives its output low (its
// inverted output high); a 3-state one releases them.
#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

enum class Disabled { OutputLow, Released };
enum class Polarity { True, Inverting };

// Drives a selector output: the data bit while enabled, else per `disabled`.
void driveSelected(LogicPins& pins, int output, bool data, bool enabled, Disabled disabled, Polarity polarity) {
    if (!enabled && disabled == Disabled::Released) {
        pins.release(output);
        return;
    }
    const bool level = enabled && data;
    pins.out(output, polarity == Polarity::Inverting ? !level : level);
}

// '151/'251: 8 to 1 with true (Y) and inverted (W) outputs.
constexpr Bus<3> kSelect8 = {11, 10, 9};
constexpr Bus<8> kData8 = {4, 3, 2, 1, 15, 14, 13, 12};
constexpr int kStrobe8 = 7, kY8 = 5, kW8 = 6;

void selector8(LogicPins& pins, Disabled disabled) {
    const bool enabled = !pins.in(kStrobe8);
    const bool data = pins.in(kData8[readBus(pins, kSelect8)]);
    driveSelected(pins, kY8, data, enabled, disabled, Polarity::True);
    driveSelected(pins, kW8, data, enabled, disabled, Polarity::Inverting);
}

// '153/'253 ('352/'353 inverting): two 4 to 1 sharing the select lines.
constexpr Bus<2> kSelect4 = {14, 2};
struct Selector4 {
    int strobe;
    Bus<4> data;
    int output;
};
constexpr std::array<Selector4, 2> kDual4 = {{{1, {6, 5, 4, 3}, 7}, {15, {10, 11, 12, 13}, 9}}};

void dualSelector4(LogicPins& pins, Disabled disabled, Polarity polarity = Polarity::True) {
    const unsigned select = readBus(pins, kSelect4);
    for (const Selector4& selector : kDual4)
        driveSelected(pins, selector.output, pins.in(selector.data[select]), !pins.in(selector.strobe), disabled,
                      polarity);
}

// '157/'158/'257/'258: four 2 to 1, select low takes A.
constexpr int kSelect2 = 1, kStrobe2 = 15;
struct Selector2 {
    int a, b, output;
};
constexpr std::array<Selector2, 4> kQuad2 = {{{2, 3, 4}, {5, 6, 7}, {11, 10, 9}, {14, 13, 12}}};

void quadSelector2(LogicPins& pins, Disabled disabled, Polarity polarity) {
    const bool takeB = pins.in(kSelect2);
    const bool enabled = !pins.in(kStrobe2);
    for (const Selector2& selector : kQuad2)
        driveSelected(pins, selector.output, pins.in(takeB ? selector.b : selector.a), enabled, disabled, polarity);
}

} // namespace

void selector8To1(LogicPins& pins, LogicState&) { selector8(pins, Disabled::OutputLow); }
void selector8To1ThreeState(LogicPins& pins, LogicState&) { selector8(pins, Disabled::Released); }
void dualSelector4To1(LogicPins& pins, LogicState&) { dualSelector4(pins, Disabled::OutputLow); }
void dualSelector4To1ThreeState(LogicPins& pins, LogicState&) { dualSelector4(pins, Disabled::Released); }
void dualSelector4To1Inverting(LogicPins& pins, LogicState&) {
    dualSelector4(pins, Disabled::OutputLow, Polarity::Inverting);
}
void dualSelector4To1InvertingThreeState(LogicPins& pins, LogicState&) {
    dualSelector4(pins, Disabled::Released, Polarity::Inverting);
}
void quadSelector2To1(LogicPins& pins, LogicState&) { quadSelector2(pins, Disabled::OutputLow, Polarity::True); }
void quadSelector2To1Inverting(LogicPins& pins, LogicState&) { quadSelector2(pins, Disabled::OutputLow, Polarity::Inverting); }
void quadSelector2To1ThreeState(LogicPins& pins, LogicState&) { quadSelector2(pins, Disabled::Released, Polarity::True); }
void quadSelector2To1InvertingThreeState(LogicPins& pins, LogicState&) {
    quadSelector2(pins, Disabled::Released, Polarity::Inverting);
}

} // namespace quarvin::sim::ttl74
