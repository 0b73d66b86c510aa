// The socket's electrical referee: each rule caught by a deliberately broken
// sequence, with the rule, the pin and the level it names, and the sequences
// next to each broken one that keep to the data sheet left alone.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "link/commands/LinkOps.h"
#include "sim/Box.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/families/flash29c/At29Chip.h"
#include "sim/families/uv_eprom/EpromChip.h"
#include "sim/families/w27e/W27eChip.h"

namespace quarvin::test {
namespace {

using sim::StressRule;

// Socket pins of a 28-pin EPROM in the socket (chip pin k at socket pin k + 6):
// Vpp on chip pin 1, A12 on 2, A7 on 3, D0 on 11, /CE on 20, /OE on 22, A9 on 24, Vcc on 28
// (the AT29C256 has A12, A7 and Vcc on the same pins).
constexpr int kVpp = 7, kA12 = 8, kA7 = 9, kD0 = 17, kCe = 26, kOe = 28, kVcc = 34;

struct Bench {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    LinkState link;
    explicit Bench(const std::string& part) {
        // A 27C256 rated for 12.5 V or a W27E257 (signal pins rated against Vcc),
        // or an AT29C256 (inputs rated against ground).
        if (part == "W27E257") box->insert(std::make_shared<sim::W27eChip>(*sim::FindW27eType(part)));
        else if (part == "AT29C256") box->insert(std::make_shared<sim::At29Chip>(*sim::FindAt29Type(part)));
        else box->insert(std::make_shared<sim::EpromChip>(*sim::FindEpromType(part), 12500));
        link.port = std::make_unique<sim::VirtualBoxTransport>(box);
        link.connected = 1;
        ResetSocket(link);
        referee().setOperation("bench");
    }
    sim::StressReferee& referee() { return box->socket().referee(); }
    void powerUp() {
        ConnectVcc(link, kVcc);
        SetPinLatch(link, kCe, 0);
        SetPinLatch(link, kOe, 0);
    }
    // The part reading: /CE and /OE low, its outputs on D0..D7.
    void readMode() {
        powerUp();
        PinLow(link, kCe);
        PinLow(link, kOe);
    }
    void vpp(int millivolts, int pin) {
        SetVppLevel(link, millivolts);
        ConnectVpp(link, pin);
    }
};

struct RuleCase {
    const char* name;
    const char* part;
    std::function<void(Bench&)> broken;
    StressRule rule;
    int pin, millivolts;
};

const RuleCase kRuleCases[] = {
    {"Vpp before Vcc", "27C256", [](Bench& b) { b.vpp(12500, kVpp); ConnectVcc(b.link, kVcc); },
     StressRule::VppWithoutVcc, kVpp, 12700},
    // The Vcc switch opens, but its driver still holds the pin high until it goes low.
    {"Vcc off while Vpp is on", "27C256",
     [](Bench& b) { b.powerUp(); b.vpp(12500, kVpp); ConnectVcc(b.link, 0); PinLow(b.link, kVcc); },
     StressRule::VccOffUnderVpp, kVpp, 12700},
    {"12 V on a signal pin rated 6.5 V", "27C256", [](Bench& b) { b.powerUp(); b.vpp(12000, kA7); },
     StressRule::OverVoltage, kA7, 12000},
    {"21 V on a Vpp pin rated 13.5 V", "27C256", [](Bench& b) { b.powerUp(); b.vpp(21000, kVpp); },
     StressRule::OverVoltage, kVpp, 21000},
    // The box still drives the data bus low against the blank chip's 0xFF, a little over the grace time of one second.
    {"data bus driven against the outputs", "27C256", [](Bench& b) { b.readMode(); Delay(b.link, 11000); },
     StressRule::LongContention, kD0, 0},
    {"data bus driven past a grace time set to 10 ms", "27C256",
     [](Bench& b) { b.referee().setContentionGracePs(10'000'000'000); b.readMode(); Delay(b.link, 120); },
     StressRule::LongContention, kD0, 0},
    // An input rated against ground, so that the supply is the only breach.
    {"Vcc switched to an address pin", "AT29C256", [](Bench& b) { ConnectVcc(b.link, kA12); },
     StressRule::SupplyOnSignalPin, kA12, 5000},
    {"signal pin high on an unpowered part rated Vcc + 0.5 V", "W27E257", [](Bench& b) { PinHigh(b.link, kA7); },
     StressRule::DrivenUnpowered, kA7, 5000},
};

TEST(StressReferee, EachRuleCatchesItsBrokenSequence) {
    for (const RuleCase& c : kRuleCases) {
        SCOPED_TRACE(c.name);
        Bench bench(c.part);
        c.broken(bench);
        const auto& events = bench.referee().events();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events[0].rule, c.rule) << sim::DescribeStress(events[0]);
        EXPECT_EQ(events[0].socketPin, c.pin);
        EXPECT_EQ(events[0].millivolts, c.millivolts);
        EXPECT_EQ(events[0].operation, "bench");
        EXPECT_GT(events[0].atPs, 0);
    }
}

// The same parts and pins used as their data sheets allow: nothing recorded.
TEST(StressReferee, SequencesWithinTheRatingsAreLeftAlone) {
    const struct { const char* what; const char* part; std::function<void(Bench&)> sequence; } kFine[] = {
        {"Vcc, then Vpp, Vpp off first", "27C256",
         [](Bench& b) { b.powerUp(); b.vpp(12500, kVpp); ConnectVpp(b.link, 0); ConnectVcc(b.link, 0); }},
        {"12 V on A9 for the codes", "27C256", [](Bench& b) { b.powerUp(); b.vpp(12000, 30); ConnectVpp(b.link, 0); }},
        {"a bus turn-around shorter than the grace time", "27C256", [](Bench& b) { b.readMode(); PinHigh(b.link, kOe); }},
        {"contention shorter than a grace time set to 10 ms", "27C256",
         [](Bench& b) { b.referee().setContentionGracePs(10'000'000'000); b.readMode(); Delay(b.link, 20); }},
        {"a high input on an unpowered part rated against ground", "AT29C256", [](Bench& b) { PinHigh(b.link, kA7); }},
    };
    for (const auto& c : kFine) {
        SCOPED_TRACE(c.what);
        Bench bench(c.part);
        c.sequence(bench);
        EXPECT_TRUE(bench.referee().events().empty()) << sim::DescribeStress(bench.referee().events()[0]);
    }
}

// After the part is powered up: what the sequence then does, whether the power is
// declared left on for the next step (checked when the dialog closes), and the one
// event the end must record (none: nothing).
TEST(StressReferee, PowerLeftOnIsCaughtAtTheOperationsEndOrAtTheClose) {
    const struct { const char* what; const char* part; std::function<void(Bench&)> then; bool declared;
                   std::optional<StressRule> rule; int pin; } cases[] = {
        {"Vcc left on", "27C256", [](Bench&) {}, false, StressRule::LeftPowered, kVcc},
        {"Vcc left on as declared", "27C256", [](Bench&) {}, true, StressRule::LeftPowered, kVcc},
        // A supply pin driven high with its switch open still feeds the part.
        {"switch open, driver high", "27C256", [](Bench& b) { ConnectVcc(b.link, 0); PinHigh(b.link, kVcc); }, false,
         StressRule::LeftPowered, kVcc},
        // Switching Vcc off takes the driver that met the switch low as well.
        {"Vcc switched off", "27C256", [](Bench& b) { ConnectVcc(b.link, 0); }, false, std::nullopt, 0},
        // A part rated against Vcc with a pin left high after its supply went.
        {"pin high after Vcc went", "W27E257",
         [](Bench& b) { PinHigh(b.link, kA7); ConnectVcc(b.link, 0); PinLow(b.link, kVcc); b.referee().clearEvents(); },
         false, StressRule::LeftDriven, kA7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bench bench(c.part);
        bench.powerUp();
        c.then(bench);
        bench.referee().operationEnded(c.declared);
        const auto& events = bench.referee().events();
        if (c.declared) {
            EXPECT_TRUE(events.empty() && bench.referee().closeCheckPending());
            bench.referee().dialogClosed();
        }
        ASSERT_EQ(events.size(), c.rule ? 1u : 0u) << (events.empty() ? "" : sim::DescribeStress(events[0]));
        if (!c.rule) continue;
        EXPECT_EQ(events[0].rule, *c.rule);
        EXPECT_EQ(events[0].socketPin, c.pin);
    }
}

} // namespace
} // namespace quarvin::test
