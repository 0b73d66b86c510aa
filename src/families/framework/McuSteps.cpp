#include "families/framework/McuSteps.h"

#include <algorithm>

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

} // namespace quarvin
