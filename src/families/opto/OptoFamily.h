#pragma once
// The optocoupler tester as the registry and the command line know it: one
// operation, "test", on the package the sub-type (0..3) names.
#include "families/framework/FamilyDialog.h"

namespace quarvin {

FamilyEntry OptoFamily();

} // namespace quarvin
