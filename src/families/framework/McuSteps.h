#pragma once
// Steps the microcontroller families share: the presence check of a chip whose
// oscillator inverter answers on XTAL2, the 20-pin parts' data port, the poll of
// a ready pin, the last address a byte loop handles, and the texts of the
// presence question's refusal.
#include <cstdint>
#include <functional>
#include <optional>

#include "families/framework/Operation.h"
#include "link/commands/LinkState.h"

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

// A byte loop over a code memory: for each address from 0, the address steps
// before its read, progress and the stop poll every `progressEvery` bytes, the
// read (a one-byte command with one reply) and the steps after it.
struct McuByteReads {
    std::uint8_t command = 0;
    std::uint32_t progressEvery = 1;
    std::function<void(std::uint32_t a)> before; // may be empty
    std::function<void(std::uint32_t a)> after;  // may be empty
    // Addresses (a multiple of this) whose `before` reads a reply of its own:
    // the reads on their way are taken first. 0: never.
    std::uint32_t repliesBeforeEvery = 0;
};

struct McuReadRun {
    enum class End { Done, Stopped, Rejected };
    End end = End::Done;
    std::uint32_t at = 0; // the byte take refused or where the stop came
};

// Runs the loop from address 0 through last (progress shown against rowLast),
// handing each byte to take(a, v) in order; false ends the run there. The reads
// go out ahead of their replies (CommandsAhead): reads past a refused byte only
// read the part, and a stop counts once the bytes before it were taken.
McuReadRun ReadMcuBytes(LinkState& link, std::uint32_t last, std::uint32_t rowLast, const OperationHooks& hooks,
                        const McuByteReads& loop, const std::function<bool(std::uint32_t a, std::uint8_t v)>& take);

inline constexpr const char* kNoDeviceText = "No any device on programmer!";
inline constexpr const char* kNoFileOpenedText = "No any file opened!";

} // namespace quarvin
