#pragma once
// The 22V10 operations as functions of the link, the row, the fuse map and the
// hooks; the dialog and the command line both call these. Bit b of chip
// address a is fuse b x F + a. After the array (F x R fuses) stand the 20
// architecture bits and the bits of chip address F from fuse F x R + 8 on; a
// read stores address F first and the architecture last, so the architecture
// bits win where the two overlap.
#include "families/framework/Operation.h"
#include "families/framework/PldSteps.h"
#include "families/p22v10/P22v10Rows.h"

namespace quarvin {

struct P22v10Job {
    LinkState& link;
    const P22v10Row& row;
    MainBuffer& buffer;
    const OperationHooks& hooks;
};

// Every operation refuses a row without a shift routine: nothing is sent, "Bad!".
OperationResult ReadP22v10(const P22v10Job& job);
// Leaves the failure flag's state to the caller: done, "OK".
OperationResult EraseP22v10(const P22v10Job& job);
// Only the fuse array is checked.
OperationResult BlankP22v10(const P22v10Job& job);
// Array, architecture row and address F, without read-back.
OperationResult ProgramP22v10(const P22v10Job& job);
// The array only, character by character.
OperationResult VerifyP22v10(const P22v10Job& job);
// Sets the security cell, then checks that the first F bits of every address read "1".
OperationResult SecureP22v10(const P22v10Job& job);

} // namespace quarvin
