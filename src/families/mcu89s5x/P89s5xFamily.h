#pragma once
// The AT89S5x family as the registry knows it.
#include "families/framework/FamilyDialog.h"
#include "families/mcu89s5x/P89s5xDialog.h"

namespace quarvin {

FamilyEntry P89s5xFamily();

} // namespace quarvin
