#pragma once
// The 93Cxx family as the registry knows it.
#include "families/framework/FamilyDialog.h"
#include "families/microwire_eeprom/MicrowireDialog.h"

namespace quarvin {

FamilyEntry MicrowireFamily();

} // namespace quarvin
