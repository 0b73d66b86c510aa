#pragma once
// The PIC16F87xA dialog ("P16f87x"): the PIC16 dialog's controls and texts over
// this family's rows and operations.
#include "families/p16f87xa/P16f87xaOperations.h"
#include "families/pic16c8x/Pic16Dialog.h"

namespace quarvin {

inline constexpr Pic16Profile kP16f87xaProfile{
    "TP16f87x",
    QV_TEXT("P16f87x"),
    "PIC16F87xA",
    "wait after each row of eight words: 1, 2 or 4 times the 8 ms write cycle (\"Pro time\")",
    kP16f87xaRows,
    {ReadP16f87xa, EraseP16f87xa, BlankP16f87xa, ProgramP16f87xa, VerifyP16f87xa, ReadP16f87xaConfig,
     WriteP16f87xaConfig, P16f87xaConfigNotInChip},
};

class P16f87xaDialog : public Pic16Dialog {
public:
    static constexpr const char* kFormClass = kP16f87xaProfile.formClass;
    explicit P16f87xaDialog(DeviceContext& ctx) : Pic16Dialog(ctx, kP16f87xaProfile) {}
};

} // namespace quarvin
