#pragma once
// The 20-pin 8051 flash family as the registry knows it.
#include "families/framework/FamilyDialog.h"
#include "families/mcu2051/P2051Dialog.h"

namespace quarvin {

FamilyEntry P2051Family();

} // namespace quarvin
