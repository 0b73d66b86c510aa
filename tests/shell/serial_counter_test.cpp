// The serial counter file: shared by processes at once, a failed run's number
// kept for the next chip, and a file that is not a counter left alone.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "TwoProcesses.h"
#include "support/ScratchDir.h"
#include "shell/SerialCounter.h"

using namespace quarvin;
namespace fs = std::filesystem;

namespace {

class SerialCounterTest : public ::testing::Test {
protected:
    std::string text() const {
        std::ifstream in(path);
        return (std::ostringstream() << in.rdbuf()).str();
    }
    static SerialSpec Spec(std::uint64_t start, std::uint64_t step = 1, SerialLayout layout = SerialLayout::Be16) {
        SerialSpec s;
        s.format.layout = layout;
        s.start = start;
        s.step = step;
        return s;
    }
    quarvin::test::ScratchDir scratch{"quarvin_serial"};
    fs::path dir = scratch.path();
    std::string path = (dir / kSerialCounterFileName).string();
};

// A number given back out of order (a gang's first box failed) is kept apart and
// handed out first; in order it becomes the next again. Each take reads the file,
// so a file already there wins over the setting's start number.
TEST_F(SerialCounterTest, AFailedChipsNumberGoesToTheNextChipAndUsedUpOrDamagedCountersAreRefused) {
    SerialCounter counter(path, Spec(1000, 10));
    for (std::uint64_t n : {1000u, 1010u, 1020u}) EXPECT_EQ(counter.take().number, n);
    EXPECT_EQ(counter.giveBack(1010), "");
    EXPECT_EQ(text(), "1030\nreturned 1010\n");
    EXPECT_EQ(counter.take().number, 1010u);
    EXPECT_EQ(counter.take().number, 1030u);
    EXPECT_EQ(counter.giveBack(1030), "");
    EXPECT_EQ(text(), "1030\n");

    // Used-up and damaged counters are refused and left as they are.
    fs::remove(path);
    counter = SerialCounter(path, Spec(65535));
    EXPECT_EQ(counter.take().number, 65535u);
    const SerialTake past = counter.take();
    EXPECT_FALSE(past.number);
    EXPECT_NE(past.error.find("serial numbers used up: the next one, 65536, does not fit be16"), std::string::npos)
        << past.error;
    EXPECT_EQ(text(), "65536\n");

    for (const char* damaged : {"", "12x\n", "-4\n", "12\nreturned 3 x\n", "12\nsomething\n"}) {
        std::ofstream(path, std::ios::trunc) << damaged;
        const SerialTake t = counter.take();
        EXPECT_FALSE(t.number) << damaged;
        EXPECT_NE(t.error.find("is damaged"), std::string::npos) << t.error;
        EXPECT_NE(counter.giveBack(7).find("is damaged"), std::string::npos);
        EXPECT_EQ(text(), damaged);
    }
}

// Two processes take numbers at once; each keeps three of four and hands the
// fourth back as a failed run would. No number is kept twice, and every number
// the counter passed is either kept or waiting in the file.
TEST_F(SerialCounterTest, TwoProcessesAtOnceNeverShareANumberAndLoseNone) {
    constexpr int kTakes = 150;
    const auto work = [&](int worker) {
        SerialCounter counter(path, Spec(1, 1, SerialLayout::Be32));
        std::ofstream kept(dir / ("kept" + std::to_string(worker)));
        for (int i = 0; i < kTakes; ++i) {
            const SerialTake t = counter.take();
            if (!t.number) return 1;
            if (i % 4 == 3) {
                if (!counter.giveBack(*t.number).empty()) return 1;
            } else {
                kept << *t.number << '\n';
            }
        }
        return 0;
    };
    ASSERT_TRUE(test::InTwoProcesses(work));
    std::set<std::uint64_t> numbers;
    bool twice = false;
    auto count = [&](std::uint64_t n) { twice = !numbers.insert(n).second || twice; };
    for (int worker = 0; worker < 2; ++worker) {
        std::ifstream in(dir / ("kept" + std::to_string(worker)));
        for (std::uint64_t n; in >> n;) count(n);
    }
    // The numbers given back wait in the file and are handed out before the next.
    const std::uint64_t next = std::stoull(text());
    SerialCounter drain(path, Spec(1, 1, SerialLayout::Be32));
    for (std::uint64_t n; (n = drain.take().number.value_or(next)) < next;) count(n);
    EXPECT_FALSE(twice) << "a number was handed out twice";
    EXPECT_EQ(numbers.size(), next - 1) << "numbers were lost";
    EXPECT_EQ(*numbers.rbegin(), next - 1);
    EXPECT_GE(numbers.size(), 2u * (kTakes - kTakes / 4)); // three of four kept by each
}

} // namespace
