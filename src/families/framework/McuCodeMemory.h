#pragma once
// The code memory operations the 40-pin 8051 families share once a family has
// set its read mode up: read into the buffer, blank check, verify, the program
// loop over the buffer, the lock check after the lock bits and the signature's
// result. The family brings its own address steps, writes and power-off.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "families/framework/McuSteps.h"

namespace quarvin {

class Prompts;

// An operation on a 40-pin 8051 of the family whose device list row is Row.
template <typename Row>
struct McuCodeJob {
    LinkState& link;
    const Row& row;
    MainBuffer& buffer;
    McuRange range;
    const OperationHooks& hooks;
    Prompts* prompts;                                // the signature questions
    std::array<std::uint8_t, 3> expectedSignature{}; // from the device list, 0: no check
};

// One run over the code memory from address 0 through range.last().
struct McuCodeRun {
    using Take = std::function<bool(std::uint32_t a, std::uint8_t v)>;
    LinkState& link;
    MainBuffer& buffer;
    McuRange range;
    const OperationHooks& hooks;
    // The family's read loop: one byte a read, each to take(a, v); progress and
    // the stop poll every `progressEvery` bytes.
    std::function<McuReadRun(std::uint32_t progressEvery, const Take& take)> readCode;
    // Leaves the part unpowered: after a stop and before each result.
    std::function<void()> powerOff;
};

// The family's address steps while programming: the whole address at a page
// start, the next address after each byte.
struct McuCodeAddress {
    std::function<void(std::uint32_t a)> at;
    std::function<void()> next;
};

// Read, Blank and Verify with the part already powered in its read-code mode:
// the loop, then the part switched off and the result ("OK"; "OK!" or "Error";
// "OK!" or "aaaa:Error!(File=ff,Chip=cc)").
OperationResult ReadMcuCode(const McuCodeRun& run);
OperationResult BlankMcuCode(const McuCodeRun& run);
OperationResult VerifyMcuCode(const McuCodeRun& run);

// Every byte that is not 0xFF through writeByte, the address stepping through
// all of them; progress and the stop poll every 16 bytes. Where a stop came, or
// nothing when the loop ran to the end.
std::optional<std::uint32_t> ProgramMcuCode(const McuCodeRun& run, const McuCodeAddress& address,
                                            const std::function<void(std::uint8_t v)>& writeByte);

// After the lock bits: 129 reads of the data bus, each must give `expected`;
// then the part switched off and "Protect OK!" or "Error!".
OperationResult CheckMcuLockReads(const McuCodeRun& run, std::uint8_t expected);

// "ID = ss,ss,ss", the first signature byte in the high byte of the value.
OperationResult McuSignatureResult(const std::array<std::uint8_t, 3>& bytes);

} // namespace quarvin
