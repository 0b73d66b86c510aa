#pragma once
// The AT90S family's operations: flash read, chip erase, blank check, program
// and verify over the whole flash from word 0, the lock bits ("Protect"), and
// reading and writing the fuse bits. Each starts by reading the signature, so
// that an empty socket, which reads like an erased part, is never reported done.
#include <cstdint>
#include <optional>

#include "families/avr90s/Avr90sRows.h"
#include "families/framework/Operation.h"
#include "forms/Texts.h"

namespace quarvin {

struct Avr90sJob {
    LinkState& link;
    const Avr90sRow& row;
    MainBuffer& buffer;
    const OperationHooks& hooks;
};

// "Protect Mode" items: both lock bits, lock bit 1 only, lock bit 2 only, none.
enum class AvrProtectMode { NoVerify, NoProgram, NotUsed, None };
// The data byte a lock write loads for a "Protect Mode" item: 0, 4, 2, 6.
std::uint8_t AvrLockByte(AvrProtectMode mode);
// The "Protect Mode" item the read fuse and lock byte shows (its bits 7..6).
AvrProtectMode AvrProtectModeOf(std::uint8_t fuseByte);

// The fuse boxes: checked means programmed (0 in the fuse byte).
struct AvrFuses {
    bool internalRc = false; // "Internal RC(RCEN)", bit 0
    bool onLineLoad = false; // "On Line Load(SPI)", bit 5
};
std::uint8_t AvrFuseWriteByte(const AvrFuses& fuses);
AvrFuses AvrFusesOf(std::uint8_t fuseByte);

inline constexpr const char* kAvrProgramFailedText = QV_TEXT("Programe Failured!");
inline constexpr const char* kAvrProgramLockedText = QV_TEXT("Programe Failured! (lock bit 1 is programmed: Erase first)");

// The flash into the buffer, then the fuse and lock byte (in the result's value).
OperationResult ReadAvr(const Avr90sJob& job);
OperationResult EraseAvr(const Avr90sJob& job);
OperationResult BlankAvr(const Avr90sJob& job);
// Every word of the buffer that is not 0xFFFF.
OperationResult ProgramAvr(const Avr90sJob& job);
OperationResult VerifyAvr(const Avr90sJob& job);
// Writes the lock bits; "Protext+No Ver" then checks that the flash reads erased.
OperationResult ProtectAvr(const Avr90sJob& job, AvrProtectMode mode);
// "Config=%02x"; the byte in the result's value.
OperationResult ReadAvrFuses(const Avr90sJob& job);
OperationResult ProgramAvrFuses(const Avr90sJob& job, const AvrFuses& fuses);

} // namespace quarvin
