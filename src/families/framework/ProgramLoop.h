#pragma once
// The program loop of the parallel memories whose box command programs one byte
// and answers with the byte read back: at each page start the address, progress
// and the stop poll, then each byte's command. The read-backs are only compared,
// so the bytes after one go out before it comes back (CommandsAhead); the first
// that fails ends the run with the result of waiting for each.
#include <cstdint>
#include <functional>

#include "families/framework/Operation.h"
#include "families/framework/PageLoops.h"

namespace quarvin {

struct ProgramRun {
    enum class End { Done, Stopped, Failed };
    End end = End::Done;
    std::uint32_t address = 0; // the byte that failed or the page start a stop came at
};

struct ProgramCommand {
    std::uint8_t opcode = 0;
    // How long the box works on one byte at most (pulses, polling the part).
    double busyMicroseconds = 0;
    // Whether a byte whose read-back is `back` failed; empty: none fails.
    std::function<bool(std::uint8_t wanted, std::uint8_t back)> fails;
};

// Where progress is shown and Stop polled: at each page start before its first
// byte, or after each byte whose address has no bits of `afterMask` set.
struct ProgramPolls {
    bool afterByte = false;
    std::uint32_t afterMask = 0;
};

// Programs span.count buffer bytes from span.buffer at span.device onward (the
// caller set the first address); the address is set again at each `page` start.
// Every reply on its way is taken before it returns, so the caller's power-down
// finds the box idle.
ProgramRun ProgramBytes(LinkState& link, const MainBuffer& buffer, const FieldSpan& span, std::uint32_t lastAddress,
                        std::uint32_t page, const ProgramCommand& command, const SetPageAddress& setAddress,
                        const OperationHooks& hooks, ProgramPolls polls = {});

} // namespace quarvin
