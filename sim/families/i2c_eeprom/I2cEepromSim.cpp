#include "sim/families/i2c_eeprom/I2cEepromSim.h"

#include "families/i2c_eeprom/I2cRows.h"
#include "sim/families/i2c_eeprom/I2cEepromChip.h"
#include "sim/families/i2c_eeprom/I2cOps.h"

namespace quarvin::sim {

namespace {
constexpr const char* kDialogClass = "TP24c0x";
} // namespace

SimFamily I2cEepromSimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = installI2cOps;
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kI2cRows.size(); ++i) {
            const I2cEepromType* type = kI2cRows[i].chip ? FindI2cEepromType(kI2cRows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back({type->name, kDialogClass, static_cast<int>(i),
                              [type] { return std::make_shared<I2cEepromChip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
