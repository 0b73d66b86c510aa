#pragma once
// Shared pieces of the virtual box tests: a box with helpers to send streams and
// collect replies, and small chip models made for the tests.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "sim/Box.h"
#include "support/Wire.h"

namespace quarvin::sim::test {

using Echoes = std::vector<std::pair<int, int>>;

// Drives chosen output pins with the levels (inverted if asked) it sees on chosen
// input pins while powered (Vcc on vccPin, ground on gndPin); keeps the last view.
class EchoChip : public Chip {
public:
    EchoChip(int pins, Echoes echoes, int vccPin, int gndPin, bool invert = false)
        : pins_(pins), echoes_(std::move(echoes)), vcc_(vccPin), gnd_(gndPin), invert_(invert) {}

    int pinCount() const override { return pins_; }
    ChipDrive update(const ChipView& v) override {
        last = v;
        ++updates;
        ChipDrive d;
        if (!v.hasVcc(vcc_) || !v.hasGround(gnd_)) return d;
        for (auto [in, out] : echoes_) d.drive(out, invert_ ? v.low(in) : v.high(in));
        return d;
    }

    ChipView last;
    int updates = 0;

private:
    int pins_;
    Echoes echoes_;
    int vcc_, gnd_;
    bool invert_;
};

class BoxTest : public ::testing::Test {
protected:
    // Sends the stream and returns every reply it produced.
    std::vector<int> run(const std::vector<std::uint8_t>& bytes) {
        box->receive(bytes.data(), bytes.size());
        std::vector<int> out;
        while (box->hasReply()) out.push_back(box->popReply());
        return out;
    }
    int runOne(const std::vector<std::uint8_t>& bytes) {
        auto r = run(bytes);
        EXPECT_EQ(r.size(), 1u);
        return r.empty() ? -1 : r.back();
    }

    std::shared_ptr<Box> box = std::make_shared<Box>();
};

using quarvin::test::Wire;

} // namespace quarvin::sim::test
