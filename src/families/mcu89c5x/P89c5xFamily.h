#pragma once
// The 40-pin 8051 flash family as the registry knows it.
#include "families/framework/FamilyDialog.h"
#include "families/mcu89c5x/P89c5xDialog.h"

namespace quarvin {

FamilyEntry P89c5xFamily();

} // namespace quarvin
