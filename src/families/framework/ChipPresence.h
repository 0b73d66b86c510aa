#pragma once
// Telling a blank chip from an empty socket. Every data line of an empty socket
// reads high through the box's pull-ups, so a step that read nothing but FF
// (an erase that found address 0 blank at once, a run of FF bytes programmed,
// a blank check)
// cannot tell them apart. Such a step ends by asking for something only a chip
// gives: its identification codes, or the busy status of a write.
#include <cstdint>
#include <optional>
#include <string_view>

#include "families/framework/Operation.h"

namespace quarvin {

// What every data line of an empty socket reads.
inline constexpr std::uint8_t kEmptySocketByte = 0xFF;

// The maker and device codes a part answers; FF,FF is no part's.
struct ChipCodes {
    std::uint8_t maker = kEmptySocketByte;
    std::uint8_t device = kEmptySocketByte;

    bool readLikeEmptySocket() const { return maker == kEmptySocketByte && device == kEmptySocketByte; }
};

// The steps that end with the check; each has its own failure text.
enum class PresenceCheckedStep { Erase, Program, Blank };

// The failure after a check that no chip answered; `seen` tells what the check
// read ("ID ff,ff").
OperationResult NoChipAnswered(PresenceCheckedStep step, std::string_view seen, std::uint32_t address);

// The check by codes: the failure when they read FF,FF, nothing otherwise.
std::optional<OperationResult> FailUnlessCodesAnswer(ChipCodes codes, PresenceCheckedStep step, std::uint32_t address);

} // namespace quarvin
