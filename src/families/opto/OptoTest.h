#pragma once
// The optocoupler test: each channel's LED lit, then dark, with the collector
// read through the socket's input each time.
#include "families/framework/Operation.h"
#include "families/opto/OptoPackages.h"
#include "forms/Texts.h"

namespace quarvin {

inline constexpr const char* kOptoGood = QV_TEXT("OK！");
inline constexpr const char* kOptoBad = QV_TEXT("Bad device!");

// "OK！" when every channel of the package passes, else "Bad device!" (failed,
// with the 1-based channel in the address).
OperationResult TestOptocoupler(LinkState& link, const OptoPackage& package);

} // namespace quarvin
