#include "families/framework/ProgramLoop.h"

#include <optional>

#include "link/commands/CommandsAhead.h"

namespace quarvin {

ProgramRun ProgramBytes(LinkState& link, const MainBuffer& buffer, const FieldSpan& span, std::uint32_t lastAddress,
                        std::uint32_t page, const ProgramCommand& command, const SetPageAddress& setAddress,
                        const OperationHooks& hooks, ProgramPolls polls) {
    CommandsAhead programs(link);
    std::optional<std::uint32_t> failedAt;
    // Progress and the stop poll; a byte before the stop that failed ends the
    // run as it would have before the stop was seen.
    const auto stops = [&](std::uint32_t a) {
        hooks.show(a, lastAddress);
        if (!hooks.stop()) return false;
        programs.drain();
        return !failedAt;
    };
    for (std::uint32_t i = 0; i < span.count && !failedAt; ++i) {
        const std::uint32_t a = span.device + i;
        const std::uint8_t d = buffer[span.buffer + i];
        if (a % page == 0) {
            setAddress(a);
            if (!polls.afterByte && stops(a)) return {ProgramRun::End::Stopped, a};
            if (failedAt) break;
        }
        programs.send({command.opcode, d}, 1, command.busyMicroseconds, [&failedAt, &command, a, d](std::uint16_t back) {
            if (!failedAt && command.fails && command.fails(d, static_cast<std::uint8_t>(back))) failedAt = a;
        });
        if (polls.afterByte && (a & polls.afterMask) == 0 && !failedAt && stops(a))
            return {ProgramRun::End::Stopped, a};
    }
    programs.drain();
    if (failedAt) return {ProgramRun::End::Failed, *failedAt};
    return {};
}

} // namespace quarvin
