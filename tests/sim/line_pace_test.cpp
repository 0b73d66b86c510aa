// The wall-time pace of quarvin-sim --real-time: bytes for the host leave at
// their line-clock time, never early, in order, and a run of them in slices.
#include <gtest/gtest.h>

#include "sim/LinePace.h"

namespace quarvin::sim::test {
namespace {

using Clock = LinePace::Clock;
using std::chrono::microseconds;

constexpr std::int64_t Us = 1'000'000; // ps

TEST(LinePace, BytesLeaveAtTheirTimeInOrder) {
    const Clock::time_point t0 = Clock::now();
    LinePace pace(t0);
    EXPECT_FALSE(pace.nextWrite());
    EXPECT_EQ(pace.hostReadyPs(t0 + microseconds(250)), 250 * Us);

    pace.push(1, 100 * Us);
    pace.push(2, 200 * Us);
    pace.push(3, 150 * Us); // behind byte 2 on the line: not before it
    EXPECT_EQ(pace.nextWrite(), t0 + microseconds(100));
    struct Step { int atUs; std::vector<std::uint8_t> written; };
    const Step steps[] = {{0, {}}, {99, {}}, {100, {1}}, {199, {}}, {200, {2, 3}}, {5000, {}}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.atUs);
        std::vector<std::uint8_t> out;
        pace.takeDue(t0 + microseconds(s.atUs), out);
        EXPECT_EQ(out, s.written);
    }
    EXPECT_FALSE(pace.nextWrite());
}

TEST(LinePace, ARunIsWrittenInSlicesButItsLastByteOnTime) {
    const Clock::time_point t0 = Clock::now();
    LinePace pace(t0);
    for (int i = 1; i <= 40; ++i) pace.push(static_cast<std::uint8_t>(i), i * 100 * Us); // one each 100 µs
    std::vector<std::uint8_t> out;
    pace.takeDue(t0 + microseconds(100), out);
    ASSERT_EQ(out.size(), 1u);
    // The next slice: not 100 µs later for byte 2 but a slice after this write.
    EXPECT_EQ(pace.nextWrite(), t0 + microseconds(100) + LinePace::BurstSlice);
    pace.takeDue(*pace.nextWrite(), out);
    EXPECT_EQ(out.size(), 11u);
    // Near the end the last byte's own time comes before the slice's.
    pace.takeDue(t0 + microseconds(3950), out);
    EXPECT_EQ(out.size(), 39u);
    EXPECT_EQ(pace.nextWrite(), t0 + microseconds(4000));
    // A byte queued after the run has drained goes at its own time again.
    pace.takeDue(t0 + microseconds(4000), out);
    pace.push(99, 4100 * Us);
    EXPECT_EQ(pace.nextWrite(), t0 + microseconds(4100));
}

} // namespace
} // namespace quarvin::sim::test
