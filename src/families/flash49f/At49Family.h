#pragma once
// The AT49F flash family: the 29F operations on the AT49F rows, with the chip
// erase polled on the toggle bit for the data sheet's tEC. No "Unprot": the
// boot block lockout is permanent; only 12 V on RESET of the AT49F001/002
// without N lifts it while it lasts, which the family does not apply, so a
// locked boot block stays as its owner left it.
#include "families/flash29f/F29Variant.h"
#include "families/flash49f/At49Rows.h"
#include "forms/Texts.h"

namespace quarvin {

inline constexpr F29Variant kAt49fVariant{kAt49fFormClass, QV_TEXT("AT49F"), "the AT49F family", kAt49fRows,
                                          kAt49fChipEraseMilliseconds};

inline FamilyEntry At49fFamily() { return F29VariantFamily(kAt49fVariant); }

class At49Dialog : public F29VariantDialog {
public:
    static constexpr const char* kFormClass = kAt49fFormClass;
    explicit At49Dialog(DeviceContext& ctx) : F29VariantDialog(ctx, kAt49fVariant) {}
};

} // namespace quarvin
