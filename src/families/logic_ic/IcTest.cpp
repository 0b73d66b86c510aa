#include "families/logic_ic/IcTest.h"

#include "forms/HexText.h"
#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "families/framework/MemorySteps.h"
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

// Every port low, then the supply off: a port high on a part without supply
// feeds it through its input diodes (the CMOS parts: "-0.5 V to VDD + 0.5 V").
void PowerOff(LinkState& link) { PortsLowThenVccOff(link); }

// Ground, the supply on `vccPin`, the vector ports low. No port goes high: a
// search tries the larger packages first, whose supply leaves a smaller part
// unpowered, and a port high would feed that part through its input diodes.
void PowerUp(LinkState& link, int vccPin) {
    ConnectGround(link, kIcGroundPin);
    ConnectVcc(link, vccPin);
    PortsLow(link);
}

OperationResult Stopped(const IcRunCounters& c) {
    return {Outcome::Stopped, kIcStopped, c.steps, 0, {}, false};
}

} // namespace

namespace {

// What a vector's reads gave: whether it passed, and whether an undriven pin
// read low (something is in the socket).
using StepDone = std::function<void(bool pass, bool releasedLow)>;

bool Checked(const std::uint8_t* v) { return !(v[kIcFlags] & (kIcLoopFlag | kIcDriveOnlyFlag)); }

// A vector's drive: ports low, then direction registers 3, 1 and 0; with
// inForce only the writes that change something.
void DriveVector(LinkState& link, const std::uint8_t* v, IcDriversInForce* inForce) {
    if (!inForce) {
        PortsLow(link);
        WriteDirectionRegister(link, kDirPins17to25, v[kIcDrive2]);
        WriteDirectionRegister(link, kDirPins9to16, v[kIcDrive1]);
        WriteDirectionRegister(link, kDirPins26to31, v[kIcDrive3]);
        return;
    }
    if (!inForce->portsLow) PortsLow(link);
    inForce->portsLow = true;
    for (const auto& [reg, value] : {std::pair{kDirPins17to25, v[kIcDrive2]}, std::pair{kDirPins9to16, v[kIcDrive1]},
                                    std::pair{kDirPins26to31, v[kIcDrive3]}}) {
        std::optional<std::uint8_t>& held = inForce->direction[static_cast<std::size_t>(reg)];
        if (held == value) continue;
        WriteDirectionRegister(link, reg, value);
        held = value;
    }
}

// IcStep's bytes, its three port reads sent through `reads`; the verdict goes
// to done once their replies are in (at once for a vector that reads nothing).
void IcStepAhead(LinkState& link, const std::uint8_t* v, IcRunCounters& counters, const OperationHooks& hooks,
                 CommandsAhead& reads, StepDone done, IcDriversInForce* inForce) {
    ++counters.steps;
    if (counters.steps % 16 == 0) hooks.say(std::to_string(counters.steps), false);
    DriveVector(link, v, inForce);
    if (!Checked(v)) return done(true, false);
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
    readPort(kPins9to16, 2, [ports, v, done = std::move(done)] {
        const auto [port3, port2, port1] = *ports;
        const std::uint8_t releasedLow = static_cast<std::uint8_t>((~port3 & v[kIcDrive3] & kDirReg0Pins) |
                                                                   (~port2 & v[kIcDrive2]) | (~port1 & v[kIcDrive1]));
        done((port3 | kUncompared) == (v[kIcExpect3] | kUncompared) && port2 == v[kIcExpect2] &&
                 port1 == v[kIcExpect1],
             releasedLow != 0);
    });
}

// The stop polls and verdicts of an entry's run whose vectors go out ahead of
// their replies, taken in the order of a run that waits for each reply: a poll
// is answered once every vector sent before it has been read, and nothing
// after the first failure or stop counts, so Stop ends the run at the same
// step and the same pins count as read.
class OrderedRun {
public:
    OrderedRun(const OperationHooks& hooks, IcRunCounters& counters) : hooks_(hooks), counters_(counters) {}

    // The poll before the next vector, after `steps` steps.
    void poll(std::uint32_t steps) {
        polls_.push_back({sent_, steps});
        settle();
    }
    // The callback of a vector sent; a checked one fails the run at `step`.
    StepDone vector(const std::uint8_t* v, std::uint32_t step) {
        if (!Checked(v)) return [](bool, bool) {};
        ++sent_;
        ++reading_;
        return [this, step](bool pass, bool releasedLow) {
            ++taken_;
            --reading_;
            if (!ended()) {
                counters_.releasedPinReadLow = counters_.releasedPinReadLow || releasedLow;
                if (!pass) failedStep = step;
            }
            settle();
        };
    }
    // A replayed vector: read, its verdict not looked at.
    StepDone replay() {
        ++reading_;
        return [this](bool, bool releasedLow) {
            --reading_;
            if (!ended()) counters_.releasedPinReadLow = counters_.releasedPinReadLow || releasedLow;
        };
    }
    bool ended() const { return failedStep || stoppedAt; }
    // Vectors sent whose reads are not taken yet.
    std::uint32_t reading() const { return reading_; }
    // Checked vectors whose verdicts are in.
    std::uint32_t taken() const { return taken_; }

    std::optional<std::uint32_t> failedStep; // the step that failed
    std::optional<std::uint32_t> stoppedAt;  // the steps done when Stop was seen

private:
    void settle() {
        while (!polls_.empty() && polls_.front().afterVerdicts <= taken_) {
            const Poll p = polls_.front();
            polls_.pop_front();
            if (!ended() && hooks_.stop()) stoppedAt = p.steps;
        }
    }

    struct Poll {
        std::uint32_t afterVerdicts; // checked vectors sent before it
        std::uint32_t steps;
    };
    const OperationHooks& hooks_;
    IcRunCounters& counters_;
    std::deque<Poll> polls_;
    std::uint32_t sent_ = 0, taken_ = 0;
    std::uint32_t reading_ = 0;
};

} // namespace

bool IcStep(LinkState& link, const std::uint8_t* v, IcRunCounters& counters, const OperationHooks& hooks) {
    CommandsAhead reads(link);
    bool passed = false;
    IcStepAhead(
        link, v, counters, hooks, reads,
        [&passed, &counters](bool pass, bool releasedLow) {
            passed = pass;
            counters.releasedPinReadLow = counters.releasedPinReadLow || releasedLow;
        },
        nullptr);
    reads.drain();
    return passed;
}

IcVerdict IcTestEntry(LinkState& link, const IcLibrary& lib, const IcEntry& entry, IcRunCounters& counters,
                      const OperationHooks& hooks, IcDriversInForce* inForce, IcStepsAhead stepsAhead,
                      const std::function<void(CommandsAhead&)>& afterVectors) {
    if (entry.count == 0) return IcVerdict::Fail;
    counters.steps = 0;
    // The vectors go out ahead of their port reads' replies until the first
    // failure or stop is known; the run ends as if each reply was awaited.
    CommandsAhead reads(link);
    OrderedRun run(hooks, counters);
    // With stepsAhead the replies are taken before more vectors than that
    // await theirs; each verdict taken lets more go ahead, as a type that keeps
    // passing mostly runs to its end (the window bounds it too).
    const auto pace = [&] {
        if (!stepsAhead.first) return;
        const std::uint32_t shift = std::min<std::uint32_t>(stepsAhead.shiftPerVerdict * run.taken(), 7);
        if (run.reading() >= (stepsAhead.first << shift)) reads.drain();
    };
    for (std::uint32_t j = 0; j < entry.count && !run.ended(); ++j) {
        const std::uint8_t* v = lib.vector(entry, j);
        if (v[kIcFlags] & kIcLoopFlag) {
            const std::uint32_t repeats = (std::uint32_t{v[kIcLoopCountHigh]} << 8) | v[kIcLoopCountLow];
            for (std::uint32_t r = 0; r < repeats && !run.ended(); ++r)
                for (std::uint32_t back = 2; back >= 1 && !run.ended(); --back) {
                    pace();
                    run.poll(counters.steps);
                    if (j >= back && !run.ended())
                        IcStepAhead(link, lib.vector(entry, j - back), counters, hooks, reads, run.replay(), inForce);
                }
            continue;
        }
        pace();
        run.poll(counters.steps);
        if (run.ended()) break;
        IcStepAhead(link, v, counters, hooks, reads, run.vector(v, counters.steps + 1), inForce);
    }
    if (afterVectors) afterVectors(reads);
    reads.drain();
    if (run.stoppedAt) {
        counters.steps = *run.stoppedAt;
        return IcVerdict::Stopped;
    }
    if (run.failedStep) {
        counters.steps = *run.failedStep;
        return IcVerdict::Fail;
    }
    hooks.say(std::to_string(counters.steps), false);
    return IcVerdict::Pass;
}

// "Founction" waits for its first checked vector's verdict before it sends the
// next: a part that is not of the selected type mostly fails there, and every
// vector sent beyond the failure is line time lost on any line. Once that
// vector passed, the rest go out as far as the window lets them.
constexpr IcStepsAhead kFounctionStepsAhead{1, 7};

OperationResult IcFounction(LinkState& link, const IcLibrary& lib, std::size_t selected, const OperationHooks& hooks) {
    const auto& entries = lib.entries();
    if (entries.empty()) return OperationResult::refused(kIcNoLibrary);
    const IcEntry& entry = entries[selected < entries.size() ? selected : 0];
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    Delay(link, 1);
    PowerUp(link, entry.vccPin);
    ConnectVcc(link, entry.vccPin);
    Delay(link, 100);
    IcRunCounters counters;
    // The power-down follows whatever the verdict: it goes out behind the last
    // vector, and one reply wait takes the verdicts and confirms it.
    const IcVerdict verdict = IcTestEntry(link, lib, entry, counters, hooks, nullptr, kFounctionStepsAhead,
                                          [&](CommandsAhead& reads) {
                                              PowerOff(link);
                                              reads.confirmSent();
                                          });
    switch (verdict) {
    case IcVerdict::Pass: return OperationResult::done(kIcPass);
    case IcVerdict::Fail: return OperationResult::failed(kIcFail, counters.steps);
    case IcVerdict::Stopped: break;
    }
    return Stopped(counters);
}

namespace {

// Types whose first checked vectors go out together before their replies are
// taken: one reply wait for the lot instead of one for each type.
constexpr std::size_t kSearchTypesAhead = 32;
// Vectors of a type that runs as a whole sent before the replies of those
// sent earlier are taken, at its start: most types that pass their first
// checked vector fail a few vectors later, and every vector sent beyond the
// failure is line time lost; one that keeps passing gets more ahead.
constexpr IcStepsAhead kSearchStepsAhead{2, 2};
// A type whose first checked vector comes later than this (or after a loop
// vector) is not tested ahead; it runs in its place as it stands.
constexpr std::uint32_t kPrefixLimit = 4;

// How far a type's first checked vector is: its index, or none when the type
// cannot be tested ahead.
std::optional<std::uint32_t> FirstCheckedVector(const IcLibrary& lib, const IcEntry& e) {
    for (std::uint32_t j = 0; j < e.count && j < kPrefixLimit; ++j) {
        const std::uint8_t flags = lib.vector(e, j)[kIcFlags];
        if (flags & kIcLoopFlag) return std::nullopt;
        if (!(flags & kIcDriveOnlyFlag)) return j;
    }
    return std::nullopt;
}

// One type's vectors up to its first checked one, sent ahead.
struct TypeAhead {
    std::uint32_t checked = 0;     // index of the first checked vector
    bool passed = false;           // its verdict, once the reply is in
    IcRunCounters counters;        // what its vectors learned
};

// What the search needs while it walks the types in order.
struct SearchWalk {
    LinkState& link;
    const IcLibrary& lib;
    const OperationHooks& hooks;
    IcSearchResult out;
    IcRunCounters counters;
    bool anyStep = false;
    int vccPin = kIcFirstVccPin;
    IcDriversInForce inForce; // what the steps sent so far left on the drivers

    // The supply switch the search makes before a type on another pin.
    void supplyFor(const IcEntry& e) {
        if (e.vccPin == vccPin) return;
        vccPin = e.vccPin;
        ConnectVcc(link, 0);
        Delay(link, 1);
        ConnectVcc(link, vccPin);
        Delay(link, 1);
        // The switch drives the supply pins through their port bits.
        inForce = {};
    }

    // Type i run as it stands; false when a stop ended the search.
    bool run(std::size_t i) {
        const IcEntry& e = lib.entries()[i];
        const IcVerdict verdict = IcTestEntry(link, lib, e, counters, hooks, &inForce, kSearchStepsAhead);
        anyStep = anyStep || e.count > 0;
        if (verdict == IcVerdict::Stopped) {
            out.result = Stopped(counters);
            return false;
        }
        if (verdict == IcVerdict::Pass) out.found.push_back(i);
        return true;
    }

    // A type tested ahead that failed its first checked vector, taken as the
    // run in its place would have ended: the stop polled before each vector up
    // to that one, then the failure at its step. False when a stop ended it.
    bool failedAhead(const TypeAhead& t) {
        anyStep = true;
        counters.steps = 0;
        for (std::uint32_t j = 0; j <= t.checked; ++j) {
            if (hooks.stop()) {
                counters.steps = j;
                out.result = Stopped(counters);
                return false;
            }
        }
        counters.steps = t.checked + 1;
        counters.releasedPinReadLow = counters.releasedPinReadLow || t.counters.releasedPinReadLow;
        return true;
    }

    // From type i on, the types on i's supply, at most kSearchTypesAhead of
    // them, get their first checked vectors sent ahead; then they are taken in
    // order, and those that passed it run in their places as a whole (the
    // vectors sent ahead for the later types went before them). Returns the
    // next type, or none when a stop ended the search.
    std::optional<std::size_t> chunk(std::size_t i) {
        const auto& entries = lib.entries();
        std::vector<TypeAhead> types;
        types.reserve(kSearchTypesAhead); // the replies' callbacks hold on to their elements
        {
            CommandsAhead reads(link);
            for (std::size_t k = i; k < entries.size() && types.size() < kSearchTypesAhead; ++k) {
                const IcEntry& e = entries[k];
                const std::optional<std::uint32_t> checked = FirstCheckedVector(lib, e);
                if (!checked || e.vccPin != entries[i].vccPin) break;
                types.push_back({*checked, false, {}});
                TypeAhead& t = types.back();
                for (std::uint32_t j = 0; j <= t.checked; ++j)
                    IcStepAhead(
                        link, lib.vector(e, j), t.counters, hooks, reads,
                        [&t](bool pass, bool releasedLow) {
                            t.passed = pass;
                            t.counters.releasedPinReadLow = t.counters.releasedPinReadLow || releasedLow;
                        },
                        &inForce);
            }
            reads.drain();
        }
        if (types.empty()) return run(i) ? std::optional<std::size_t>(i + 1) : std::nullopt;
        for (std::size_t n = 0; n < types.size(); ++n)
            if (!(types[n].passed ? run(i + n) : failedAhead(types[n]))) return std::nullopt;
        return i + types.size();
    }
};

} // namespace

IcSearchResult IcSearch(LinkState& link, const IcLibrary& lib, const OperationHooks& hooks) {
    const auto& entries = lib.entries();
    // The first type's supply from the start: a supply switched to another
    // package's pin could sit on a signal pin of the part.
    const int firstVccPin = entries.empty() ? kIcFirstVccPin : entries.front().vccPin;
    PowerUp(link, firstVccPin);
    SearchWalk walk{link, lib, hooks, {}, {}, false, firstVccPin, {}};
    // Waiting for each reply, every type runs in its place; ahead, the types
    // mostly fail at their first checked vector, which goes out ahead for many
    // types at once, and only those that pass it run as a whole.
    const bool ahead = link.connected != 0 && link.readAheadWindow > 1;
    for (std::size_t i = 0; i < entries.size();) {
        walk.supplyFor(entries[i]);
        const std::optional<std::size_t> next = ahead ? walk.chunk(i) : (walk.run(i) ? std::optional<std::size_t>(i + 1)
                                                                                        : std::nullopt);
        if (!next) {
            PowerOff(link);
            return walk.out;
        }
        i = *next;
    }
    PowerOff(link);
    IcSearchResult& out = walk.out;
    if (out.found.size() == 1) out.result = OperationResult::done("Find 1");
    else if (out.found.size() > 1) out.result = OperationResult::done(Format("Find %d same device", static_cast<int>(out.found.size())));
    else if (walk.anyStep && !walk.counters.releasedPinReadLow) out.result = OperationResult::failed(kIcNoDevice, 0);
    else out.result = OperationResult::failed(kIcNoFind, 0);
    return out;
}

} // namespace quarvin
