#pragma once
// The 93Cxx operations as functions of the link, the row, the buffer and the
// hooks; the dialog and the command line both call these. Every operation
// covers the whole device. x8 location a is buffer byte a; x16 word w is
// buffer bytes 2w (low) and 2w+1 (high), and is compared as a whole word.
#include <vector>

#include "families/framework/Operation.h"
#include "families/microwire_eeprom/MicrowireRows.h"

namespace quarvin {

struct MicrowireJob {
    LinkState& link;
    const MicrowireRow& row;
    MainBuffer& buffer;
    const OperationHooks& hooks;
    int writeWaitUnits = 5; // "Pro time", 100 ticks each
    // Program reads the part first and writes only the pages that differ.
    bool changedOnly = false;
};

// What "only changed pages" compares at a time, in locations (x16: words). The
// parts write one location per cycle; this only sets the comparison's grain.
inline constexpr std::uint32_t kMicrowireChangedPageLocations = 16;

OperationResult ReadMicrowire(const MicrowireJob& job);
// Erase all; judged by location 0.
OperationResult EraseMicrowire(const MicrowireJob& job);
OperationResult BlankMicrowire(const MicrowireJob& job);
// Writes every location; judged by location 0. With changedOnly: reads the
// part first, writes only the pages that differ from the buffer, verifies the
// whole part and notes the pages written and skipped.
OperationResult ProgramMicrowire(const MicrowireJob& job);
OperationResult VerifyMicrowire(const MicrowireJob& job);

enum class MicrowireStep { Erase, Blank, Program, Verify };
// "Auto": the asked-for steps in the order Erase, Blank, Programe, Verify,
// stopping at the first that does not succeed; "OK" when all did.
OperationResult AutoMicrowire(const MicrowireJob& job, const std::vector<MicrowireStep>& steps);

} // namespace quarvin
