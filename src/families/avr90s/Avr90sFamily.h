#pragma once
#include "families/avr90s/Avr90sDialog.h"
#include "families/framework/FamilyDialog.h"

namespace quarvin {

FamilyEntry Avr90sFamily();

} // namespace quarvin
