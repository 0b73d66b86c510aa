// 3-state buffers and line drivers: each buffer passes (or inverts) its input
// while its enable is active and releases its output otherwise.
#include <array>
#include <cstddef>

#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

struct BufferPins {
    int input;
    int output;
};

enum class Enable { ActiveLow, ActiveHigh };
enum class Polarity { True, Inverting };

void driveBuffer(LogicPins& pins, const BufferPins& buffer, bool enabled, Polarity polarity) {
    if (!enabled) {
        pins.release(buffer.output);
        return;
    }
    const bool level = pins.in(buffer.input);
    pins.out(buffer.output, polarity == Polarity::Inverting ? !level : level);
}

template <std::size_t N>
void driveBuffers(LogicPins& pins, const std::array<BufferPins, N>& buffers, bool enabled, Polarity polarity) {
    for (const BufferPins& buffer : buffers) driveBuffer(pins, buffer, enabled, polarity);
}

bool isActive(const LogicPins& pins, int enablePin, Enable enable) {
    return pins.in(enablePin) == (enable == Enable::ActiveHigh);
}

// '125/'126: four buffers, each with its own enable.
struct GatedBuffer {
    int enable;
    BufferPins pins;
};
constexpr std::array<GatedBuffer, 4> kQuadGated = {{
    {1, {2, 3}}, {4, {5, 6}}, {10, {9, 8}}, {13, {12, 11}},
}};

void quadGated(LogicPins& pins, Enable enable) {
    for (const GatedBuffer& buffer : kQuadGated)
        driveBuffer(pins, buffer.pins, isActive(pins, buffer.enable, enable), Polarity::True);
}

// '240/'241/'244: two groups of four, enables on pins 1 and 19.
constexpr int kOctalEnable1 = 1;
constexpr int kOctalEnable2 = 19;
constexpr std::array<BufferPins, 4> kOctalGroup1 = {{{2, 18}, {4, 16}, {6, 14}, {8, 12}}};
constexpr std::array<BufferPins, 4> kOctalGroup2 = {{{11, 9}, {13, 7}, {15, 5}, {17, 3}}};

void driveOctal(LogicPins& pins, Enable enable2, Polarity polarity) {
    driveBuffers(pins, kOctalGroup1, isActive(pins, kOctalEnable1, Enable::ActiveLow), polarity);
    driveBuffers(pins, kOctalGroup2, isActive(pins, kOctalEnable2, enable2), polarity);
}

// '540/'541: eight buffers, inputs on one side and outputs on the other, on
// while both enables (pins 1 and 19) are low.
constexpr std::array<BufferPins, 8> kFlowThrough = {{
    {2, 18}, {3, 17}, {4, 16}, {5, 15}, {6, 14}, {7, 13}, {8, 12}, {9, 11},
}};

void driveFlowThrough(LogicPins& pins, Polarity polarity) {
    const bool enabled = !pins.in(kOctalEnable1) && !pins.in(kOctalEnable2);
    driveBuffers(pins, kFlowThrough, enabled, polarity);
}

// '245/'645 bus transceivers ('643: inverting from A to B): OE (pin 19) low
// and DIR (pin 1) high pass the A side to the B side. With DIR low the part
// drives the A side instead; its A pins are listed as inputs (the entry tests
// the A to B direction only), so the model then only lets the B side go.
constexpr int kDirection = 1;
constexpr int kTransceiverEnable = 19;

void driveTransceiverAToB(LogicPins& pins, Polarity polarity) {
    const bool aToB = !pins.in(kTransceiverEnable) && pins.in(kDirection);
    driveBuffers(pins, kFlowThrough, aToB, polarity);
}

// '641/'642: the same with open-collector B outputs. An open collector that is
// off only stops pulling low, which is what driving it high means.
void driveOpenCollectorTransceiverAToB(LogicPins& pins, Polarity polarity) {
    const bool aToB = !pins.in(kTransceiverEnable) && pins.in(kDirection);
    for (const BufferPins& buffer : kFlowThrough) {
        const bool level = pins.in(buffer.input) != (polarity == Polarity::Inverting);
        pins.out(buffer.output, !aToB || level);
    }
}

// '365 to '368: six buffers, enables on pins 1 and 15.
constexpr int kHexEnable1 = 1;
constexpr int kHexEnable2 = 15;
constexpr std::array<BufferPins, 4> kHexGroup1 = {{{2, 3}, {4, 5}, {6, 7}, {10, 9}}};
constexpr std::array<BufferPins, 2> kHexGroup2 = {{{12, 11}, {14, 13}}};

void driveHexCommonEnable(LogicPins& pins, Polarity polarity) {
    const bool enabled = !pins.in(kHexEnable1) && !pins.in(kHexEnable2);
    driveBuffers(pins, kHexGroup1, enabled, polarity);
    driveBuffers(pins, kHexGroup2, enabled, polarity);
}

void driveHexSplitEnable(LogicPins& pins, Polarity polarity) {
    driveBuffers(pins, kHexGroup1, !pins.in(kHexEnable1), polarity);
    driveBuffers(pins, kHexGroup2, !pins.in(kHexEnable2), polarity);
}

} // namespace

void quadBufferEnableLow(LogicPins& pins, LogicState&) { quadGated(pins, Enable::ActiveLow); }
void quadBufferEnableHigh(LogicPins& pins, LogicState&) { quadGated(pins, Enable::ActiveHigh); }
void octalInvertingDriver(LogicPins& pins, LogicState&) { driveOctal(pins, Enable::ActiveLow, Polarity::Inverting); }
void octalDriverMixedEnables(LogicPins& pins, LogicState&) { driveOctal(pins, Enable::ActiveHigh, Polarity::True); }
void octalDriver(LogicPins& pins, LogicState&) { driveOctal(pins, Enable::ActiveLow, Polarity::True); }
void octalInvertingBufferFlowThrough(LogicPins& pins, LogicState&) { driveFlowThrough(pins, Polarity::Inverting); }
void octalBufferFlowThrough(LogicPins& pins, LogicState&) { driveFlowThrough(pins, Polarity::True); }

void octalTransceiverAToB(LogicPins& pins, LogicState&) { driveTransceiverAToB(pins, Polarity::True); }
void octalTransceiverAToBInverting(LogicPins& pins, LogicState&) { driveTransceiverAToB(pins, Polarity::Inverting); }
void octalOpenCollectorTransceiverAToB(LogicPins& pins, LogicState&) {
    driveOpenCollectorTransceiverAToB(pins, Polarity::True);
}
void octalOpenCollectorTransceiverAToBInverting(LogicPins& pins, LogicState&) {
    driveOpenCollectorTransceiverAToB(pins, Polarity::Inverting);
}

// '365 and '366 (inverting): both enables low turn on all six.
void hexBufferCommonEnable(LogicPins& pins, LogicState&) { driveHexCommonEnable(pins, Polarity::True); }
void hexInverterCommonEnable(LogicPins& pins, LogicState&) { driveHexCommonEnable(pins, Polarity::Inverting); }

// '367 and '368 (inverting): pin 1 enables four buffers, pin 15 the other two.
void hexBufferSplitEnable(LogicPins& pins, LogicState&) { driveHexSplitEnable(pins, Polarity::True); }
void hexInverterSplitEnable(LogicPins& pins, LogicState&) { driveHexSplitEnable(pins, Polarity::Inverting); }

} // namespace quarvin::sim::ttl74
