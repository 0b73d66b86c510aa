#include "families/framework/McuSteps.h"

#include <algorithm>

#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "forms/HexText.h"
#include "platform/Platform.h"

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

std::optional<OperationResult> SignatureQuestion(const std::array<std::uint8_t, 3>& read,
                                                 const std::array<std::uint8_t, 3>& expected,
                                                 const OperationHooks& hooks, Prompts* prompts, std::uint32_t at) {
    const std::string text = Format("R=(%02x,%02x)  S=(%02x,%02x)", read[0], read[1], expected[0], expected[1]);
    hooks.say(text, true);
    if (expected[0] == 0) return std::nullopt;
    const bool blankAnswer = read[0] == 0xFF && read[1] == 0xFF;
    if (!blankAnswer && read[0] == expected[0] && read[1] == expected[1]) return std::nullopt;
    const char* question = blankAnswer ? "Error，\nContinue?" : "Error?\nContinue?";
    if (prompts && prompts->askYesNo(question)) return std::nullopt;
    OperationResult refused = OperationResult::failed(text, at);
    refused.value = std::uint32_t{read[0]} << 16 | std::uint32_t{read[1]} << 8 | read[2];
    return refused;
}

bool WaitPinHigh(LinkState& link, int pin, int tries, int ticksPerTry) {
    for (int i = 0; i < tries; ++i) {
        Delay(link, ticksPerTry);
        if (ReadPin(link, pin)) return true;
    }
    return false;
}

McuReadRun RunMcuReads(LinkState& link, const McuReadLoop& loop, const OperationHooks& hooks) {
    CommandsAhead reads(link);
    McuRejects rejects;
    for (std::uint32_t a = 0; a <= loop.last && !rejects.any(); a += loop.step) {
        if (loop.repliesBeforeEvery && a % loop.repliesBeforeEvery == 0) {
            reads.drain();
            if (rejects.any()) break;
        }
        if (loop.before) loop.before(a);
        if (a % loop.progressEvery == 0) {
            hooks.show(a, loop.rowLast);
            if (hooks.stop()) {
                reads.drain();
                if (rejects.any()) break;
                return {McuReadRun::End::Stopped, a};
            }
        }
        loop.read(a, reads, rejects);
    }
    reads.drain();
    if (rejects.any()) return {McuReadRun::End::Rejected, *rejects.first()};
    return {};
}

McuReadRun ReadMcuBytes(LinkState& link, McuReadLoop loop, const OperationHooks& hooks, std::uint8_t command,
                        const std::function<void(std::uint32_t a)>& after,
                        const std::function<bool(std::uint32_t a, std::uint8_t v)>& take) {
    loop.read = [&](std::uint32_t a, CommandsAhead& reads, McuRejects& rejects) {
        reads.send({command}, 1, 0, [&take, &rejects, a](std::uint16_t v) {
            if (!rejects.any() && !take(a, static_cast<std::uint8_t>(v))) rejects.reject(a);
        });
        if (after) after(a);
    };
    return RunMcuReads(link, loop, hooks);
}

} // namespace quarvin
