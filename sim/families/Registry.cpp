#include "sim/SimFamily.h"
#include "sim/families/i2c_eeprom/I2cEepromSim.h"
#include "sim/families/microwire_eeprom/MicrowireSim.h"
#include "sim/families/uv_eprom/UvEpromSim.h"

namespace quarvin::sim {

// Each family with chip models or opcodes adds one line here. Later families'
// opcodes replace earlier ones of the same number.
const std::vector<SimFamily>& SimFamilies() {
    static const std::vector<SimFamily> families = {
        UvEpromSimFamily(),
        I2cEepromSimFamily(),
        MicrowireSimFamily(),
    };
    return families;
}

} // namespace quarvin::sim
