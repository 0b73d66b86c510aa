#pragma once
// The logic IC tester as the registry and the command line know it: "test"
// ("Founction") and "identify" ("Search") on the class the sub-type names.
#include "families/framework/FamilyDialog.h"

namespace quarvin {

FamilyEntry IcFamily();

} // namespace quarvin
