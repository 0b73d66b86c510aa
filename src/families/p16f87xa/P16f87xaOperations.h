#pragma once
// The PIC16F87xA family's operations over the box's serial programming
// opcodes, as Microchip's programming document DS39589B gives them:
// program memory written eight words at a time with Begin Erase/Programming,
// Chip Erase to clear protection, the device ID checked before every operation.
// Reading, blank check and verify are the PIC16 family's steps.
#include "families/pic16c8x/Pic16Operations.h"
#include "families/p16f87xa/P16f87xaRows.h"

namespace quarvin {

// Ticks (95.5 us, one character on the line) that cover tprog2, "Begin
// Erase/Programming ... 8 ms max" (Table 6-1): 84 ticks are 8.02 ms.
inline constexpr int kP16f87xaRowWriteTicks = 84;

extern const PicSocketSteps kP16f87xaSteps;

OperationResult ReadP16f87xa(const Pic16Job& job);
OperationResult BlankP16f87xa(const Pic16Job& job);
OperationResult VerifyP16f87xa(const Pic16Job& job);
OperationResult ReadP16f87xaConfig(const Pic16Job& job);
std::string P16f87xaConfigNotInChip(const Pic16Job& job);
OperationResult EraseP16f87xa(const Pic16Job& job, Pic16EraseMode mode);
// proTimeIndex 0..2: waits 1, 2 or 4 times tprog2 after each row of eight words.
OperationResult ProgramP16f87xa(const Pic16Job& job, int proTimeIndex);
OperationResult ProgramP16f87xaWithWait(const Pic16Job& job, int ticksPerRow);
// The four ID locations as "11 1111 1000 bbbb" (section 2.3), then the
// configuration word, each followed by the write wait; reads the word back.
OperationResult WriteP16f87xaConfig(const Pic16Job& job, const Pic16Config& config);

} // namespace quarvin
