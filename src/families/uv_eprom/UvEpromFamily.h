#pragma once
// The UV EPROM family as the registry knows it.
#include "families/framework/FamilyDialog.h"
#include "families/uv_eprom/UvEpromDialog.h"

namespace quarvin {

FamilyEntry UvEpromFamily();

} // namespace quarvin
