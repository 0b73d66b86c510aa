// Properties of the 74 TTL chip models that their test vectors cannot see: the
// box reads a released pin and a pin driven high alike.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim {
namespace {

std::uint64_t pinsOfKind(const LogicPart& part, std::string_view kinds) {
    std::uint64_t mask = 0;
    const std::string_view letters = part.pinKinds;
    for (std::size_t i = 0; i < letters.size(); ++i)
        if (kinds.find(letters[i]) != std::string_view::npos) mask |= std::uint64_t{1} << i;
    return mask;
}

const LogicPart& ttlPart(int number) {
    for (const LogicPart& part : Ttl74Parts())
        if (part.number == number) return part;
    throw std::out_of_range("no such 74 part");
}

// Random input sequences: a model drives only its output pins, and its push-pull
// and open-collector outputs always. Supplies sit on the corner pins, the only
// ones the box can power.
TEST(Ttl74Models, DriveOnlyTheirOutputsAndSitOnCornerSupplies) {
    constexpr int kSteps = 300;
    std::mt19937_64 rng(74);
    for (const LogicPart& part : Ttl74Parts()) {
        SCOPED_TRACE(part.name);
        const int pinCount = static_cast<int>(std::string_view(part.pinKinds).size());
        EXPECT_EQ(pinsOfKind(part, "G"), std::uint64_t{1} << (pinCount / 2 - 1));
        EXPECT_EQ(pinsOfKind(part, "V"), std::uint64_t{1} << (pinCount - 1));
        const std::uint64_t inputs = pinsOfKind(part, "I");
        const std::uint64_t outputs = pinsOfKind(part, "OCT");
        const std::uint64_t alwaysDriven = pinsOfKind(part, "OC");
        LogicState state{rng(), {}};
        std::uint64_t previous = ~std::uint64_t{0};
        for (int step = 0; step < kSteps; ++step) {
            const std::uint64_t levels = (rng() & inputs) | ~inputs;
            LogicPins pins(levels, previous);
            part.evaluate(pins, state);
            previous = levels;
            if ((pins.drivenMask() & ~outputs) != 0 || (pins.drivenMask() & alwaysDriven) != alwaysDriven) {
                ADD_FAILURE() << "drives " << std::hex << pins.drivenMask() << ", outputs " << outputs;
                break;
            }
        }
    }
}

// 3-state outputs release on their enables; the pins still driven belong to an
// enabled group or are not 3-state.
struct OffCase {
    int number;
    std::vector<int> lowInputs; // all other inputs high
    std::vector<int> released;
    std::vector<int> driven;
};

const std::vector<OffCase> kOffCases = {
    {125, {}, {3, 6, 8, 11}, {}},
    {126, {1, 4, 10, 13}, {3, 6, 8, 11}, {}},
    {240, {}, {18, 16, 14, 12, 9, 7, 5, 3}, {}},
    {241, {19}, {18, 16, 14, 12, 9, 7, 5, 3}, {}},
    {241, {1}, {}, {18, 16, 14, 12, 9, 7, 5, 3}},
    {244, {19}, {18, 16, 14, 12}, {9, 7, 5, 3}},
    {541, {19}, {18, 17, 16, 15, 14, 13, 12, 11}, {}},
    {365, {15}, {3, 5, 7, 9, 11, 13}, {}},
    {367, {15}, {3, 5, 7, 9}, {11, 13}},
    {366, {15}, {3, 5, 7, 9, 11, 13}, {}},
    {368, {1}, {11, 13}, {3, 5, 7, 9}},
    {640, {1, 19}, {11, 12, 13, 14, 15, 16, 17, 18}, {}}, // enabled B to A: the B side lets go
    {640, {19}, {}, {11, 12, 13, 14, 15, 16, 17, 18}},
    {373, {}, {2, 5, 6, 9, 12, 15, 16, 19}, {}},
    {374, {}, {2, 5, 6, 9, 12, 15, 16, 19}, {}},
    {534, {}, {2, 5, 6, 9, 12, 15, 16, 19}, {}},
    {533, {}, {2, 5, 6, 9, 12, 15, 16, 19}, {}},
    {573, {}, {12, 13, 14, 15, 16, 17, 18, 19}, {}},
    {574, {}, {12, 13, 14, 15, 16, 17, 18, 19}, {}},
    {563, {}, {12, 13, 14, 15, 16, 17, 18, 19}, {}},
    {564, {1}, {}, {12, 13, 14, 15, 16, 17, 18, 19}},
    {595, {}, {15, 1, 2, 3, 4, 5, 6, 7}, {9}},
    {173, {2}, {3, 4, 5, 6}, {}},
    {670, {}, {6, 7, 9, 10}, {}},
    {189, {2, 3}, {5, 7, 9, 11}, {}},
    {189, {}, {5, 7, 9, 11}, {}},
    {251, {}, {5, 6}, {}},
    {253, {1}, {9}, {7}},
    {353, {1}, {9}, {7}},
    {257, {}, {4, 7, 9, 12}, {}},
    {258, {}, {4, 7, 9, 12}, {}},
    {623, {1}, {11, 12, 13, 14, 15, 16, 17, 18}, {}}, // GAB low; GBA/ high
    {620, {}, {}, {11, 12, 13, 14, 15, 16, 17, 18}},
    {873, {2}, {15, 16, 17, 18}, {19, 20, 21, 22}}, // each half has its own OE/
    {873, {11}, {19, 20, 21, 22}, {15, 16, 17, 18}},
    {323, {}, {4, 5, 6, 7, 13, 14, 15, 16}, {8, 17}}, // S1 S0 = 11: the I/O pins are inputs
    {323, {1, 2, 3}, {}, {4, 5, 6, 7, 13, 14, 15, 16}},
    {323, {1, 3}, {4, 5, 6, 7, 13, 14, 15, 16}, {8, 17}},
    {568, {}, {13, 14, 15, 16}, {18, 19}},
    {569, {17}, {}, {13, 14, 15, 16}},
    {561, {}, {13, 14, 15, 16}, {18, 19}},
    {874, {2}, {15, 16, 17, 18}, {19, 20, 21, 22}}, // each half has its own enable
    {821, {}, {14, 15, 16, 17, 18, 19, 20, 21, 22, 23}, {}},
    {823, {}, {15, 16, 17, 18, 19, 20, 21, 22, 23}, {}},
    {286, {}, {6}, {5}},    // XMIT/ high: the parity I/O pin is an input
    {286, {3}, {}, {5, 6}}, // XMIT/ low: it drives the parity
    {348, {}, {6, 7, 9}, {14, 15}},  // EI/ high
    {348, {5}, {6, 7, 9}, {14, 15}}, // EI/ low, no input low: nothing to encode
    {348, {5, 12}, {}, {6, 7, 9}},
};

TEST(Ttl74Models, ThreeStateOutputsReleaseWhenDisabled) {
    for (const OffCase& c : kOffCases) {
        const LogicPart& part = ttlPart(c.number);
        SCOPED_TRACE(part.name);
        std::uint64_t levels = ~std::uint64_t{0};
        for (int pin : c.lowInputs) levels &= ~(std::uint64_t{1} << (pin - 1));
        LogicState state{};
        LogicPins pins(levels, levels);
        part.evaluate(pins, state);
        for (int pin : c.released) EXPECT_FALSE((pins.drivenMask() >> (pin - 1)) & 1U) << "pin " << pin;
        for (int pin : c.driven) EXPECT_TRUE((pins.drivenMask() >> (pin - 1)) & 1U) << "pin " << pin;
    }
}

} // namespace
} // namespace quarvin::sim
