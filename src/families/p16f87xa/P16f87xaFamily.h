#pragma once
#include "families/framework/FamilyDialog.h"
#include "families/p16f87xa/P16f87xaDialog.h"

namespace quarvin {

FamilyEntry P16f87xaFamily();

} // namespace quarvin
