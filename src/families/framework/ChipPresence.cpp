#include "families/framework/ChipPresence.h"

#include <string>

namespace quarvin {

OperationResult NoChipAnswered(PresenceCheckedStep step, std::string_view seen, std::uint32_t address) {
    std::string message = step == PresenceCheckedStep::Erase   ? "Erase failed: "
                          : step == PresenceCheckedStep::Blank ? "Blank check failed: "
                                                               : "Programe Failured! (";
    message += "no chip answered, ";
    message += seen;
    if (step == PresenceCheckedStep::Program) message += ")";
    return OperationResult::failed(std::move(message), address);
}

std::optional<OperationResult> FailUnlessCodesAnswer(ChipCodes codes, PresenceCheckedStep step,
                                                     std::uint32_t address) {
    if (!codes.readLikeEmptySocket()) return std::nullopt;
    return NoChipAnswered(step, "ID ff,ff", address);
}

} // namespace quarvin
