#pragma once
// Shared pieces of the virtual box tests: a box with helpers to send streams and
// collect replies, and small chip models made for the tests.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "sim/Box.h"
#include "support/Wire.h"

namespace quarvin::sim::test {

// Drives chosen output pins with the levels it sees on chosen input pins while
// powered (Vcc on vccPin and ground on gndPin); remembers the last view.
class EchoChip : public Chip {
public:
    EchoChip(int pins, std::vector<std::pair<int, int>> echoes, int vccPin, int gndPin)
        : pins_(pins), echoes_(std::move(echoes)), vcc_(vccPin), gnd_(gndPin) {}

    int pinCount() const override { return pins_; }
    ChipDrive update(const ChipView& v) override {
        last = v;
        ++updates;
        ChipDrive d;
        if (!v.hasVcc(vcc_) || !v.hasGround(gnd_)) return d;
        for (auto [in, out] : echoes_) d.drive(out, invert ? v.low(in) : v.high(in));
        return d;
    }

    ChipView last;
    int updates = 0;
    bool invert = false;

private:
    int pins_;
    std::vector<std::pair<int, int>> echoes_;
    int vcc_, gnd_;
};

// A 28-pin ROM that decodes only A0..A7 (chip pins 10..3) and puts cell[A] on
// D0..D7 (chip pins 11..13, 15..19) while /CE (20) and /OE (22) are low and Vcc is
// on pin 28.
class TinyRom : public Chip {
public:
    std::array<std::uint8_t, 256> cells{};
    int pinCount() const override { return 28; }
    ChipDrive update(const ChipView& v) override {
        ChipDrive d;
        if (!v.hasVcc(28) || v.high(20) || v.high(22)) return d;
        static constexpr int AddressPins[8] = {10, 9, 8, 7, 6, 5, 4, 3};
        static constexpr int DataPins[8] = {11, 12, 13, 15, 16, 17, 18, 19};
        unsigned a = 0;
        for (int b = 0; b < 8; ++b)
            if (v.high(AddressPins[b])) a |= 1u << b;
        const std::uint8_t data = faults().applyStuck(a, cells[a]);
        for (int b = 0; b < 8; ++b) d.drive(DataPins[b], (data >> b) & 1);
        return d;
    }
};

class BoxTest : public ::testing::Test {
protected:
    explicit BoxTest(BoxConfig config = {}) : box(std::make_shared<Box>(std::move(config))) {}

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

    std::shared_ptr<Box> box;
};

using quarvin::test::Wire;

} // namespace quarvin::sim::test
