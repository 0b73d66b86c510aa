#pragma once
// --changed-only: Program reads the chip first and writes only the blocks that
// differ from the buffer, then verifies the whole range.
#include <string>

#include "OperationRunner.h"

namespace quarvin::cli {

// The page-writable families whose Program skips unchanged blocks here (28C,
// 29EE); the serial EEPROMs' sessions take the option "changed-only" instead.
bool TakesChangedOnly(const std::string& dialogClass);

// Read, Program of each run of differing 256-byte blocks, Verify of the whole
// range; a line "program: changed only: ..." tells the blocks written and skipped.
// The fields must start at 0 on both sides: Read fills the buffer from device 0.
RunReport RunChangedOnlyProgram(const RunRequest& request, RunnerIo& io);

} // namespace quarvin::cli
