#pragma once
// The MX29F flash family: the 29F operations on the MX29F rows, with the chip
// erase polled on the toggle bit for the data sheet's tAETC. No "Unprot": the
// MX29F040 lifts its sector protection only with 12 V on /OE as well as A9
// ("Chip Unprotect with 12V system"), which the 29F's step does not give.
#include "families/flash29f/F29Variant.h"
#include "families/mx29f/Mx29fRows.h"
#include "forms/Texts.h"

namespace quarvin {

inline constexpr F29Variant kMx29fVariant{kMx29fFormClass, QV_TEXT("MX29F"), "the MX29F family", kMx29fRows,
                                          kMx29fChipEraseMilliseconds};

inline FamilyEntry Mx29fFamily() { return F29VariantFamily(kMx29fVariant); }

class Mx29fDialog : public F29VariantDialog {
public:
    static constexpr const char* kFormClass = kMx29fFormClass;
    explicit Mx29fDialog(DeviceContext& ctx) : F29VariantDialog(ctx, kMx29fVariant) {}
};

} // namespace quarvin
