#include "families/framework/McuSteps.h"

#include <algorithm>

#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

std::uint32_t McuRange::last() const {
    if (!end || *end < 0) return rowLast;
    return std::min(rowLast, static_cast<std::uint32_t>(*end));
}

std::optional<OperationResult> CheckPresence(LinkState& link, int xtal1, int xtal2) {
    if (CheckDeviceInSocket(link, xtal1, xtal2) != 0) return std::nullopt;
    // The user declined to go on without a chip: nothing was done.
    return OperationResult::refused(kNoDeviceText);
}

std::uint8_t ReadSerialMcuBus(LinkState& link) {
    SendByte(link, op::SerialRead);
    return ReceiveByte(link);
}

void DriveSerialMcuBus(LinkState& link, std::uint8_t v) {
    SendByte(link, op::SerialWrite);
    SendByte(link, v);
}

bool WaitPinHigh(LinkState& link, int pin, int tries, int ticksPerTry) {
    for (int i = 0; i < tries; ++i) {
        Delay(link, ticksPerTry);
        if (ReadPin(link, pin)) return true;
    }
    return false;
}

McuReadRun ReadMcuBytes(LinkState& link, std::uint32_t last, std::uint32_t rowLast, const OperationHooks& hooks,
                        const McuByteReads& loop, const std::function<bool(std::uint32_t a, std::uint8_t v)>& take) {
    CommandsAhead reads(link);
    std::optional<std::uint32_t> rejected;
    for (std::uint32_t a = 0; a <= last && !rejected; ++a) {
        if (loop.repliesBeforeEvery && a % loop.repliesBeforeEvery == 0) {
            reads.drain();
            if (rejected) break;
        }
        if (loop.before) loop.before(a);
        if (a % loop.progressEvery == 0) {
            hooks.show(a, rowLast);
            if (hooks.stop()) {
                reads.drain();
                if (rejected) break;
                return {McuReadRun::End::Stopped, a};
            }
        }
        reads.send({loop.command}, 1, 0, [&rejected, &take, a](std::uint16_t v) {
            if (!rejected && !take(a, static_cast<std::uint8_t>(v))) rejected = a;
        });
        if (loop.after) loop.after(a);
    }
    reads.drain();
    if (rejected) return {McuReadRun::End::Rejected, *rejected};
    return {};
}

} // namespace quarvin
