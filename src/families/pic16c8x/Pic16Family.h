#pragma once
#include "families/framework/FamilyDialog.h"
#include "families/pic16c8x/Pic16Dialog.h"

namespace quarvin {

FamilyEntry Pic16Family();

} // namespace quarvin
