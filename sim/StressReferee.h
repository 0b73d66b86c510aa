#pragma once
// The socket's electrical referee: it watches what the box does to the part's
// pins and records every breach of the part's ratings (ChipRatings) as an event
// with the box's time, the pin, the level, the rule and the operation running.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/ChipRatings.h"

namespace quarvin::sim {

enum class StressRule {
    OverVoltage,       // a level above the pin's rating
    VppWithoutVcc,     // Vpp applied to a part without its supply
    VccOffUnderVpp,    // the supply switched off while Vpp is still on
    DrivenUnpowered,   // a signal pin driven high while the part has no supply
    LongContention,    // the box drove against the part's output past the grace time
    SupplyOnSignalPin, // the Vcc switch on a pin that is not a supply pin
    LeftPowered,       // the part still powered when the operation reported
    LeftDriven,        // a pin still driven high when the operation reported
};

const char* StressRuleText(StressRule rule);

struct StressEvent {
    std::int64_t atPs = 0;  // the box's clock
    int socketPin = 0;
    int chipPin = 0;
    int millivolts = 0;     // what the box put on the pin
    StressRule rule = StressRule::OverVoltage;
    std::string operation;  // what was running ("" when nobody said)
};

// One line: "12.345 ms: socket pin 1 (chip pin 1) at 12000 mV: Vpp without Vcc (read)".
std::string DescribeStress(const StressEvent& e);

class StressReferee {
public:
    // The box may drive against an output this long before it counts. The
    // data sheets rate an output short to a rail: "not more than one output
    // shorted at a time; duration not to exceed one second". The box's
    // power-up waits (tens of milliseconds with the data bus still driven)
    // and the logic tester's vectors on a part's outputs stay well inside it.
    static constexpr std::int64_t DefaultContentionGracePs = 1'000'000'000'000; // 1 s
    // The level of the box's logic drivers.
    static constexpr int LogicHighMillivolts = 5000;
    // Events kept; later ones are only counted.
    static constexpr std::size_t MaxKeptEvents = 1000;

    void setContentionGracePs(std::int64_t ps) { graceP_ = ps; }
    std::int64_t contentionGracePs() const { return graceP_; }
    // The operation events are charged to.
    void setOperation(std::string name) { operation_ = std::move(name); }
    const std::string& operation() const { return operation_; }

    // A new part (or none): its ratings and pin count; episode state starts afresh.
    void setChip(const Chip* chip);
    // What the part sees now and where the box drives against it (chip numbering).
    void observe(const ChipView& view, PinMask clash);
    // The part has gone (removed, or the socket looks empty).
    void forgetView() { hasView_ = false; }

    // The running operation has reported its result: the part must be off and
    // no pin driven high, unless the operation declared that it leaves the
    // part powered for the next step; then the check waits for dialogClosed().
    void operationEnded(bool leavesPowered = false);
    // The dialog has shut the socket down.
    void dialogClosed();
    bool closeCheckPending() const { return closeCheckPending_; }

    const std::vector<StressEvent>& events() const { return events_; }
    std::uint64_t eventCount() const { return count_; }
    void clearEvents() {
        events_.clear();
        count_ = 0;
    }

private:
    struct Levels {
        PinMask high = 0;    // driven high by the box (logic driver or a switch)
        PinMask vppLive = 0; // Vpp switched there with the generator on
        bool powered = false;
    };
    Levels levelsOf(const ChipView& v) const;
    int millivoltsAt(const ChipView& v, const Levels& l, int chipPin) const;
    void record(StressRule rule, int chipPin, int millivolts);
    // Events for the pins of `mask` that were not already in breach of `rule`.
    void flag(StressRule rule, PinMask mask, const ChipView& v, const Levels& l);
    void checkLeftOver();

    ChipRatings ratings_;
    int pins_ = 0;
    std::int64_t graceP_ = DefaultContentionGracePs;
    std::string operation_;
    std::array<PinMask, 8> active_{};
    std::array<std::int64_t, 40> clashSincePs_{};
    PinMask clashReported_ = 0;
    bool poweredWithVpp_ = false;
    bool closeCheckPending_ = false;
    ChipView last_;
    bool hasView_ = false;
    std::vector<StressEvent> events_;
    std::uint64_t count_ = 0;
};

} // namespace quarvin::sim
