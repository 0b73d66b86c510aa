#pragma once
// The GAL16V8/20V8 operations as functions of the link, the row, the fuse map
// and the hooks; the dialog and the command line both call these. Bit k of
// chip address a is fuse a + k x F; the user signature (address F) and the
// mapped architecture bits stand after the array, from fuse F x R on.
#include "families/framework/Operation.h"
#include "families/framework/PldSteps.h"
#include "families/gal/GalRows.h"

namespace quarvin {

struct GalJob {
    LinkState& link;
    const GalRow& row;
    MainBuffer& buffer;
    const OperationHooks& hooks;
};

// Every operation refuses a row without a shift routine: nothing is sent, "Bad!".
OperationResult ReadGal(const GalJob& job);
OperationResult EraseGal(const GalJob& job);
// Only the fuse array is checked.
OperationResult BlankGal(const GalJob& job);
// Array, architecture row and signature, without read-back.
OperationResult ProgramGal(const GalJob& job);
// Array and the mapped architecture bits, character by character; the
// signature is not compared.
OperationResult VerifyGal(const GalJob& job);
OperationResult SecureGal(const GalJob& job);

} // namespace quarvin
