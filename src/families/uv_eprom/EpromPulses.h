#pragma once
// The width of one program pulse the box gives with each EPROM program command.
#include "families/uv_eprom/EpromRows.h"

namespace quarvin {

constexpr double ProgramPulseMicroseconds(EpromProgramCommand command) {
    switch (command) {
    case EpromProgramCommand::ProgramPinLow28: return 1000.0;
    case EpromProgramCommand::ChipEnableHigh: return 5000.0;
    case EpromProgramCommand::None: return 0.0;
    default: return 100.0;
    }
}

} // namespace quarvin
