#pragma once
#include "families/framework/FamilyDialog.h"
#include "families/pic16c8x/Pic16Dialog.h"

namespace quarvin {

FamilyEntry Pic16Family();
// A PIC16 family's entry: its rows placed in the socket, the shared session
// with the family's profile, and its dialog.
FamilyEntry Pic16FamilyEntry(const Pic16Profile& profile, int programmingMillivolts,
                             decltype(FamilyEntry::makeDialog) makeDialog);

} // namespace quarvin
