#pragma once
// How long the box works on its longer commands once their last byte is in:
// what the host leaves it when it sends the next bytes without waiting for the
// reply (CommandsAhead). The virtual box models the same times.

namespace quarvin::boxtime {

// BlankPage and SumPage: 256 bytes read, compared or added, and the address
// advanced, 10 µs each.
inline constexpr double PageLoopMicroseconds = 256 * 10.0;

// The 29F program command: after the byte's write cycle the box polls DQ7 for
// at most this long before it answers with what it reads.
inline constexpr double F29ProgramPollLimitMicroseconds = 300.0;

// The 28F program command: up to the set pulse count of rounds, each a program
// pulse and the settling time before the verify read.
inline constexpr double F28ProgramPulseMicroseconds = 10.0;
inline constexpr double F28VerifySettleMicroseconds = 6.0;

} // namespace quarvin::boxtime
