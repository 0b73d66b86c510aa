#pragma once
// The GAL16V8/20V8 family as the registry knows it.
#include "families/framework/FamilyDialog.h"
#include "families/gal/GalDialog.h"

namespace quarvin {

FamilyEntry GalFamily();

} // namespace quarvin
