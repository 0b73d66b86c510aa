#pragma once
// "Search" one package at a time, from the largest package of the library down
// to the selected type's. The supply pin of a package sits beyond the last pin
// of every smaller part (the parts sit bottom-aligned with ground on socket pin
// 20), so a package larger than the part in the socket leaves it unpowered; a
// smaller one would put the supply on one of its signal pins. The search stops
// after the first package in which a type passes, so the part found never sees
// the supply of a smaller package, and it never goes below the selected type's
// package, the smallest the user has said the part may be.
#include "families/logic_ic/IcTest.h"

namespace quarvin {

IcSearchResult IcSearchByPackage(LinkState& link, const IcLibrary& lib, int smallestVccPin,
                                 const OperationHooks& hooks);

} // namespace quarvin
