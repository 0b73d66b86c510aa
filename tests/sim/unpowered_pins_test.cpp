// Which pins of an unpowered part the socket check may rely on, per model:
// only those a data sheet shows tied to Vcc (rated against Vcc, or given an
// internal pull-up), none of a part whose data sheet was not at hand.
#include <gtest/gtest.h>

#include <functional>

#include "sim/ChipRatings.h"
#include "sim/families/eeprom28c/E28Chip.h"
#include "sim/families/mcu2051/At89c2051Chip.h"
#include "sim/families/mcu89c5x/At89c5xChip.h"
#include "sim/families/uv_eprom/EpromChip.h"
#include "sim/families/w27e/W27eChip.h"

namespace quarvin::test {
namespace {

using sim::PinMask;
using sim::PinRange;
using sim::pinBit;

// The data pins of a 28-pin byte-wide memory: D0..D2 on pins 11..13, D3..D7 on 15..19.
const PinMask kDataPins28 = PinRange(11, 13) | PinRange(15, 19);

struct ClampCase { const char* part; std::function<std::shared_ptr<sim::Chip>()> make; PinMask clamped; };

TEST(UnpoweredPins, OnlyPinsADataSheetTiesToVccAreClamped) {
    const ClampCase kCases[] = {
        // Every pin but Vpp (1), ground (14), A9 (24) and Vcc (28): "all pins except A9, VPP, VCC ... VCC + 0.6 V".
        {"27C256", [] { return std::make_shared<sim::EpromChip>(*sim::FindEpromType("27C256"), 12700); },
         PinRange(2, 13) | PinRange(15, 23) | PinRange(25, 27)},
        // National's 27C64 rates its inputs to a fixed 6.5 V: its outputs only.
        {"27C64", [] { return std::make_shared<sim::EpromChip>(*sim::FindEpromType("2764"), 12700); }, kDataPins28},
        // The NMOS part at 21 V: no data sheet at hand.
        {"2716 21 V", [] { return std::make_shared<sim::EpromChip>(*sim::FindEpromType("2716"), 21000); }, 0},
        {"W27E257", [] { return std::make_shared<sim::W27eChip>(*sim::FindW27eType("W27E257")); }, 0},
        // Inputs "with respect to ground -0.6V to +6.25V", outputs "VCC + 0.6V".
        {"AT28C64B", [] { return std::make_shared<sim::E28Chip>(*sim::FindE28Type("AT28C64B")); }, kDataPins28},
        // Ports 1 (1..8), 3 (10..17) and 2 (21..28) have pull-ups; not RST, XTAL, PSEN, ALE, EA/VPP, port 0.
        {"AT89C51", [] { return std::make_shared<sim::At89c5xChip>(*sim::FindAt89c5xType("AT89C51")); },
         PinRange(1, 8) | PinRange(10, 17) | PinRange(21, 28)},
        // P3.0..P3.5 and P3.7, P1.2..P1.7; "P1.0 and P1.1 require external pullups" (pins 12, 13).
        {"AT89C2051", [] { return std::make_shared<sim::At89c2051Chip>(*sim::FindAt89c2051Type("AT89C2051")); },
         pinBit(2) | pinBit(3) | PinRange(6, 9) | pinBit(11) | PinRange(14, 19)},
    };
    for (const ClampCase& c : kCases) {
        SCOPED_TRACE(c.part);
        EXPECT_EQ(c.make()->unpoweredClamps(), c.clamped);
    }
}

} // namespace
} // namespace quarvin::test
