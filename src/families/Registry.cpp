#include "families/framework/FamilyDialog.h"
#include "families/i2c_eeprom/I2cFamily.h"
#include "families/microwire_eeprom/MicrowireFamily.h"
#include "families/uv_eprom/UvEpromFamily.h"
#include "families/w27e/W27eFamily.h"
#include "families/flash29f/F29Family.h"
#include "families/flash28f/F28Family.h"
#include "families/eeprom28c/E28Family.h"
#include "families/flash29ee/EE29Family.h"
#include "families/flash29c/At29Family.h"
#include "families/flash49f/At49Family.h"
#include "families/mx29f/Mx29fFamily.h"
#include "families/eeprom2816/P2816Family.h"
#include "families/mcu89c5x/P89c5xFamily.h"
#include "families/mcu2051/P2051Family.h"
#include "families/mcu89s5x/P89s5xFamily.h"
#include "families/p16f87xa/P16f87xaFamily.h"
#include "families/pic16c8x/Pic16Family.h"
#include "families/avr90s/Avr90sFamily.h"
#include "families/gal/GalFamily.h"
#include "families/p22v10/P22v10Family.h"
#include "families/sram/SramFamily.h"
#include "families/opto/OptoDialog.h"
#include "families/opto/OptoFamily.h"
#include "families/logic_ic/IcFamily.h"
#include "families/logic_ic/IcTestDialog.h"

namespace quarvin {

// Each built family adds one line here; names not listed open the shared
// "not available in this version" dialog.
const std::map<std::string, FamilyEntry>& Families() {
    static const std::map<std::string, FamilyEntry> families = {
        {UvEpromDialog::kFormClass, UvEpromFamily()},
        {I2cDialog::kFormClass, I2cFamily()},
        {MicrowireDialog::kFormClass, MicrowireFamily()},
        {W27eDialog::kFormClass, W27eFamily()},
        {F29Dialog::kFormClass, F29Family()},
        {F28Dialog::kFormClass, F28Family()},
        {E28Dialog::kFormClass, E28Family()},
        {EE29Dialog::kFormClass, EE29Family()},
        {At29cxDialog::kFormClass, At29cxFamily()},
        {At29c256Dialog::kFormClass, At29c256Family()},
        {At49Dialog::kFormClass, At49fFamily()},
        {Mx29fDialog::kFormClass, Mx29fFamily()},
        {P2816Dialog::kFormClass, P2816Family()},
        {P89c5xDialog::kFormClass, P89c5xFamily()},
        {P2051Dialog::kFormClass, P2051Family()},
        {P89s5xDialog::kFormClass, P89s5xFamily()},
        {Pic16Dialog::kFormClass, Pic16Family()},
        {P16f87xaDialog::kFormClass, P16f87xaFamily()},
        {Avr90sDialog::kFormClass, Avr90sFamily()},
        {GalDialog::kFormClass, GalFamily()},
        {P22v10Dialog::kFormClass, P22v10Family()},
        {SramDialog::kFormClass, SramFamily()},
        {OptoDialog::kFormClass, OptoFamily()},
        {IcTestDialog::kFormClass, IcFamily()},
    };
    return families;
}

const std::map<std::string, FamilyFactory>& BuiltFamilies() {
    static const std::map<std::string, FamilyFactory> factories = [] {
        std::map<std::string, FamilyFactory> m;
        for (const auto& [name, entry] : Families()) m.emplace(name, entry.makeDialog);
        return m;
    }();
    return factories;
}

std::string SubTypeOutsideTable(const FamilyEntry& family, const std::string& dialogClass, int subType) {
    const int rowCount = static_cast<int>(family.subTypes().size());
    if (subType >= family.firstSubType && subType < rowCount) return {};
    return "the device list gives sub-type " + std::to_string(subType) + ", but " + dialogClass + " has sub-types " +
           std::to_string(family.firstSubType) + ".." + std::to_string(rowCount - 1);
}

} // namespace quarvin
