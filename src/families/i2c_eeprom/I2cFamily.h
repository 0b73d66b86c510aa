#pragma once
// The 24Cxx family as the registry knows it.
#include "families/framework/FamilyDialog.h"
#include "families/i2c_eeprom/I2cDialog.h"

namespace quarvin {

FamilyEntry I2cFamily();

} // namespace quarvin
