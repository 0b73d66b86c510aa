#pragma once
// Faults of the box itself, injected by tests. Chip faults live with the chip
// (ChipFaults in sim/Chip.h).
#include <cstdint>
#include <optional>
#include <vector>

namespace quarvin::sim {

struct ReplyGarble {
    std::uint64_t first = 0;  // index of the first reply byte replaced (0 = the first reply ever)
    std::uint64_t count = 1;
    std::uint8_t value = 0;   // sent instead
};

struct BoxFaults {
    // The box handles this many received bytes, then goes silent: later bytes are
    // neither executed nor answered.
    std::optional<std::uint64_t> silentAfterBytes;
    // The identify reply stops after this many of its 9 bytes.
    std::optional<int> identifyLength;
    // Reply bytes replaced on the way out.
    std::vector<ReplyGarble> garble;
    // Received bytes (by index among all received bytes) lost as in a receive
    // overrun: a box slower than the host expected at that moment.
    std::vector<std::uint64_t> lostBytes;
};

// Something the box could not make sense of; tests look at these.
struct BoxError {
    // Overrun: the byte arrived while the receive buffer was full and was lost.
    enum class Kind { UnknownOpcode, ReplyCountMismatch, Overrun };
    Kind kind;
    std::uint8_t opcode; // for an overrun: the byte that was lost
    std::uint64_t byteIndex; // index of the opcode byte among all received bytes
};

} // namespace quarvin::sim
