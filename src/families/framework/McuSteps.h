#pragma once
// Steps the microcontroller families share: the presence check of a chip whose
// oscillator inverter answers on XTAL2, the 20-pin parts' data port, the poll of
// a ready pin, the last address a byte loop handles, and the texts of the
// presence question's refusal.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "families/framework/Operation.h"
#include "link/commands/LinkState.h"
#include "forms/Texts.h"

namespace quarvin {

// Whoever runs a microcontroller operation: the dialog's hex window end
// address, or none (the command line), which bounds loops by the row alone.
struct McuRange {
    std::uint32_t rowLast = 0;           // the sub-type's last address
    std::optional<std::int32_t> end;     // the hex window's end address, when there is one
    // The last address a byte loop from 0 handles: the row's, lowered to the
    // end address when the hex window has one.
    std::uint32_t last() const;
};

// Drives the chip's XTAL1 and reads its XTAL2; asks the user when nothing
// answers. Nothing when the operation may go on, else the refusal.
std::optional<OperationResult> CheckPresence(LinkState& link, int xtal1, int xtal2);

// The data port of a 20-pin part on socket pins 22..29, read and driven through
// the box's serial-MCU opcodes 165 and 166. Driving sets levels only: the pins
// must be outputs (SetDataWidth) first.
std::uint8_t ReadSerialMcuBus(LinkState& link);
void DriveSerialMcuBus(LinkState& link, std::uint8_t v);

// Up to `tries` times: `ticksPerTry` delay ticks, then a read of the pin. True
// as soon as it reads high (the part is ready), false when it never did.
bool WaitPinHigh(LinkState& link, int pin, int tries, int ticksPerTry);

// The signature check before programming a 40-pin 8051: the chip's first two
// bytes against the device list's. No expected signature (0) or the same bytes
// go on; a chip that answers FF,FF asks "Error，\nContinue?", another part
// "Error?\nContinue?". Says "R=(..)  S=(..)" first. Nothing when programming
// may go on, else the failure at `at`, the bytes read in its value.
std::optional<OperationResult> SignatureQuestion(const std::array<std::uint8_t, 3>& read,
                                                 const std::array<std::uint8_t, 3>& expected,
                                                 const OperationHooks& hooks, Prompts* prompts, std::uint32_t at);

class CommandsAhead;

// The first address whose reply failed its check, as the replies come in.
class McuRejects {
public:
    void reject(std::uint32_t a) {
        if (!first_) first_ = a;
    }
    bool any() const { return first_.has_value(); }
    const std::optional<std::uint32_t>& first() const { return first_; }

private:
    std::optional<std::uint32_t> first_;
};

// A loop over a code memory whose reads go out ahead of their replies: for each
// address from 0 through `last` in steps of `step`, the address steps before
// its reads, progress and the stop poll every `progressEvery` bytes, then the
// reads and the steps after them.
struct McuReadLoop {
    std::uint32_t last = 0;
    std::uint32_t rowLast = 0; // progress is shown against it
    std::uint32_t step = 1;
    std::uint32_t progressEvery = 1;
    // Addresses (a multiple of this) whose `before` reads a reply of its own:
    // the reads on their way are taken first. 0: never.
    std::uint32_t repliesBeforeEvery = 0;
    std::function<void(std::uint32_t a)> before; // may be empty
    // Sends address a's reads through `reads` and the steps after them; a reply
    // whose check fails rejects a (replies after the first rejection are not
    // checked).
    std::function<void(std::uint32_t a, CommandsAhead& reads, McuRejects& rejects)> read;
};

struct McuReadRun {
    enum class End { Done, Stopped, Rejected };
    End end = End::Done;
    std::uint32_t at = 0; // the first address rejected, or where the stop came
};

// Runs the loop. Nothing more is sent once an address is rejected; reads
// already past it only read the part. A stop counts once the replies before it
// were checked, as when each reply is waited for.
McuReadRun RunMcuReads(LinkState& link, const McuReadLoop& loop, const OperationHooks& hooks);

// The same for a loop of one-byte read commands (one reply each): each byte goes
// to take(a, v) in order; false rejects it. `after` steps follow each read.
McuReadRun ReadMcuBytes(LinkState& link, McuReadLoop loop, const OperationHooks& hooks, std::uint8_t command,
                        const std::function<void(std::uint32_t a)>& after,
                        const std::function<bool(std::uint32_t a, std::uint8_t v)>& take);

// What a read loop reads, kept apart until the run has ended: it reaches the
// buffer when the run is done, or up to where a stop ended it. After a lost
// link none of it is trusted (a byte the box lost may have shifted the replies
// that came before the silence), so the buffer keeps what it held.
class StagedRead {
public:
    explicit StagedRead(std::uint32_t last) : bytes_(static_cast<std::size_t>(last) + 1) {}
    std::uint8_t& operator[](std::uint32_t a) { return bytes_[a]; }
    void commit(MainBuffer& buffer, const McuReadRun& run) const {
        const std::size_t kept = run.end == McuReadRun::End::Stopped ? run.at : bytes_.size();
        std::copy_n(bytes_.begin(), std::min(kept, bytes_.size()), buffer.data());
    }

private:
    std::vector<std::uint8_t> bytes_;
};

inline constexpr const char* kNoDeviceText = QV_TEXT("No any device on programmer!");
inline constexpr const char* kNoFileOpenedText = "No any file opened!";

} // namespace quarvin
