#pragma once
// The 22V10 family as the registry knows it.
#include "families/framework/FamilyDialog.h"
#include "families/p22v10/P22v10Dialog.h"

namespace quarvin {

FamilyEntry P22v10Family();

} // namespace quarvin
