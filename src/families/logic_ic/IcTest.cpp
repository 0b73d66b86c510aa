#include "families/logic_ic/IcTest.h"

#include "forms/HexText.h"
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

// Output ports of the socket pins the vectors reach: port n feeds direction register n's pins.
enum Port : int { kPins9to16 = 1, kPins17to25 = 2, kPins26to33 = 3 };
enum DirectionRegister : int { kDirPins26to31 = 0, kDirPins9to16 = 1, kDirPins17to25 = 3 };
// Pins 32 and 33 (port 3 bits 6, 7) are never compared.
constexpr std::uint8_t kUncompared = 0xC0;
constexpr std::uint8_t kDirReg0Pins = 0x3F;

void PortsLow(LinkState& link) {
    WritePort(link, kPins26to33, 0);
    WritePort(link, kPins17to25, 0);
    WritePort(link, kPins9to16, 0);
}

// Every port low once the supply is off: a port left high would keep the part
// fed through its supply pin or its input diodes.
void PowerOff(LinkState& link) {
    ConnectVcc(link, 0);
    WriteAllPorts(link, 0);
}

OperationResult Stopped(const IcRunCounters& c) {
    return {Outcome::Stopped, kIcStopped, c.steps, 0, {}, false};
}

} // namespace

namespace {

// IcStep's bytes, its three port reads sent through `reads`; the verdict goes
// to done(pass) once their replies are in (at once for a vector that reads nothing).
void IcStepAhead(LinkState& link, const std::uint8_t* v, IcRunCounters& counters, const OperationHooks& hooks,
                 CommandsAhead& reads, std::function<void(bool pass)> done) {
    ++counters.steps;
    if (counters.steps % 16 == 0) hooks.say(std::to_string(counters.steps), false);
    PortsLow(link);
    WriteDirectionRegister(link, kDirPins17to25, v[kIcDrive2]);
    WriteDirectionRegister(link, kDirPins9to16, v[kIcDrive1]);
    WriteDirectionRegister(link, kDirPins26to31, v[kIcDrive3]);
    if (v[kIcFlags] & (kIcLoopFlag | kIcDriveOnlyFlag)) return done(true);
    // Ports 3, 2 and 1, in this order; the verdict with the last reply.
    auto ports = std::make_shared<std::array<std::uint8_t, 3>>();
    const auto readPort = [&](int port, std::size_t index, std::function<void()> last) {
        reads.send({static_cast<std::uint8_t>(op::ReadPortBase + port)}, 1, 0, [ports, index, last](std::uint16_t value) {
            (*ports)[index] = static_cast<std::uint8_t>(value);
            if (last) last();
        });
    };
    readPort(kPins26to33, 0, nullptr);
    readPort(kPins17to25, 1, nullptr);
    readPort(kPins9to16, 2, [ports, v, &counters, done = std::move(done)] {
        const auto [port3, port2, port1] = *ports;
        const std::uint8_t releasedLow = static_cast<std::uint8_t>((~port3 & v[kIcDrive3] & kDirReg0Pins) |
                                                                   (~port2 & v[kIcDrive2]) | (~port1 & v[kIcDrive1]));
        if (releasedLow != 0) counters.releasedPinReadLow = true;
        done((port3 | kUncompared) == (v[kIcExpect3] | kUncompared) && port2 == v[kIcExpect2] &&
             port1 == v[kIcExpect1]);
    });
}

} // namespace

bool IcStep(LinkState& link, const std::uint8_t* v, IcRunCounters& counters, const OperationHooks& hooks) {
    CommandsAhead reads(link);
    bool passed = false;
    IcStepAhead(link, v, counters, hooks, reads, [&passed](bool pass) { passed = pass; });
    reads.drain();
    return passed;
}

IcVerdict IcTestEntry(LinkState& link, const IcLibrary& lib, const IcEntry& entry, IcRunCounters& counters,
                      const OperationHooks& hooks) {
    if (entry.count == 0) return IcVerdict::Fail;
    counters.steps = 0;
    // The vectors go out ahead of their port reads' replies; the first that
    // fails ends the run, and a stop counts once the vectors before it passed.
    CommandsAhead reads(link);
    std::optional<std::uint32_t> failedStep;
    const auto stops = [&] {
        if (!hooks.stop()) return false;
        reads.drain();
        return !failedStep;
    };
    const auto ignore = [](bool) {};
    for (std::uint32_t j = 0; j < entry.count && !failedStep; ++j) {
        const std::uint8_t* v = lib.vector(entry, j);
        if (v[kIcFlags] & kIcLoopFlag) {
            const std::uint32_t repeats = (std::uint32_t{v[kIcLoopCountHigh]} << 8) | v[kIcLoopCountLow];
            for (std::uint32_t r = 0; r < repeats && !failedStep; ++r)
                for (std::uint32_t back = 2; back >= 1 && !failedStep; --back) {
                    if (stops()) return IcVerdict::Stopped;
                    if (j >= back && !failedStep) IcStepAhead(link, lib.vector(entry, j - back), counters, hooks, reads, ignore);
                }
            continue;
        }
        if (stops()) return IcVerdict::Stopped;
        if (failedStep) break;
        const std::uint32_t step = counters.steps + 1;
        IcStepAhead(link, v, counters, hooks, reads, [&failedStep, step](bool pass) {
            if (!pass && !failedStep) failedStep = step;
        });
    }
    reads.drain();
    if (failedStep) {
        counters.steps = *failedStep;
        return IcVerdict::Fail;
    }
    hooks.say(std::to_string(counters.steps), false);
    return IcVerdict::Pass;
}

OperationResult IcFounction(LinkState& link, const IcLibrary& lib, std::size_t selected, const OperationHooks& hooks) {
    const auto& entries = lib.entries();
    if (entries.empty()) return OperationResult::refused(kIcNoLibrary);
    const IcEntry& entry = entries[selected < entries.size() ? selected : 0];
    WriteAllPorts(link, 0xFF);
    ConnectGround(link, kIcGroundPin);
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    Delay(link, 1);
    ConnectVcc(link, entry.vccPin);
    WritePort(link, kPins9to16, 0);
    WritePort(link, kPins17to25, 0);
    WritePort(link, kPins26to33, 0);
    ConnectVcc(link, entry.vccPin);
    Delay(link, 100);
    IcRunCounters counters;
    const IcVerdict verdict = IcTestEntry(link, lib, entry, counters, hooks);
    PowerOff(link);
    switch (verdict) {
    case IcVerdict::Pass: return OperationResult::done(kIcPass);
    case IcVerdict::Fail: return OperationResult::failed(kIcFail, counters.steps);
    case IcVerdict::Stopped: break;
    }
    return Stopped(counters);
}

namespace {

// Waits for each reply while it lives: the search's types mostly fail at their
// first vectors, so vectors sent ahead would mostly belong to types already
// failed, and cost more line time than the reply waits they save.
class OneReplyAtATime {
public:
    explicit OneReplyAtATime(LinkState& link) : link_(link), window_(link.readAheadWindow) { link.readAheadWindow = 1; }
    ~OneReplyAtATime() { link_.readAheadWindow = window_; }
    OneReplyAtATime(const OneReplyAtATime&) = delete;
    OneReplyAtATime& operator=(const OneReplyAtATime&) = delete;

private:
    LinkState& link_;
    int window_;
};

} // namespace

IcSearchResult IcSearch(LinkState& link, const IcLibrary& lib, const OperationHooks& hooks) {
    const OneReplyAtATime plain(link);
    WriteAllPorts(link, 0xFF);
    ConnectGround(link, kIcGroundPin);
    ConnectVcc(link, kIcFirstVccPin);
    PortsLow(link);
    int vccPin = kIcFirstVccPin;
    IcSearchResult out;
    IcRunCounters counters;
    bool anyStep = false;
    const auto& entries = lib.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const IcEntry& e = entries[i];
        if (e.vccPin != vccPin) {
            vccPin = e.vccPin;
            ConnectVcc(link, 0);
            Delay(link, 1);
            ConnectVcc(link, vccPin);
            Delay(link, 1);
        }
        const IcVerdict verdict = IcTestEntry(link, lib, e, counters, hooks);
        anyStep = anyStep || e.count > 0;
        if (verdict == IcVerdict::Stopped) {
            PowerOff(link);
            out.result = Stopped(counters);
            return out;
        }
        if (verdict == IcVerdict::Pass) out.found.push_back(i);
    }
    PowerOff(link);
    if (out.found.size() == 1) out.result = OperationResult::done("Find 1");
    else if (out.found.size() > 1) out.result = OperationResult::done(Format("Find %d same device", static_cast<int>(out.found.size())));
    else if (anyStep && !counters.releasedPinReadLow) out.result = OperationResult::failed(kIcNoDevice, 0);
    else out.result = OperationResult::failed(kIcNoFind, 0);
    return out;
}

} // namespace quarvin
