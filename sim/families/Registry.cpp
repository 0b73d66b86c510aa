#include "sim/SimFamily.h"
#include "sim/families/i2c_eeprom/I2cEepromSim.h"
#include "sim/families/microwire_eeprom/MicrowireSim.h"
#include "sim/families/uv_eprom/UvEpromSim.h"
#include "sim/families/w27e/W27eSim.h"
#include "sim/families/flash29f/F29Sim.h"
#include "sim/families/flash28f/F28Sim.h"
#include "sim/families/eeprom28c/E28Sim.h"
#include "sim/families/eeprom2816/P2816Sim.h"
#include "sim/families/flash29ee/EE29Sim.h"
#include "sim/families/flash29c/At29Sim.h"
#include "sim/families/flash49f/At49Sim.h"
#include "sim/families/mx29f/Mx29fSim.h"
#include "sim/families/mcu89c5x/P89c5xSim.h"
#include "sim/families/mcu2051/P2051Sim.h"
#include "sim/families/mcu89s5x/P89s5xSim.h"
#include "sim/families/p16f87xa/P16f87xaSim.h"
#include "sim/families/pic16c8x/Pic16Sim.h"
#include "sim/families/avr90s/Avr90sSim.h"
#include "sim/families/gal/GalSim.h"
#include "sim/families/p22v10/P22v10Sim.h"
#include "sim/families/sram/SramSim.h"
#include "sim/families/opto/OptoSim.h"
#include "sim/families/logic_ic/LogicIcSim.h"

namespace quarvin::sim {

// Each family with chip models or opcodes adds one line here. Later families'
// opcodes replace earlier ones of the same number.
const std::vector<SimFamily>& SimFamilies() {
    static const std::vector<SimFamily> families = {
        UvEpromSimFamily(),
        I2cEepromSimFamily(),
        MicrowireSimFamily(),
        W27eSimFamily(),
        F29SimFamily(),
        F28SimFamily(),
        E28SimFamily(),
        P2816SimFamily(),
        EE29SimFamily(),
        At29cxSimFamily(),
        At29c256SimFamily(),
        At49fSimFamily(),
        Mx29fSimFamily(),
        P89c5xSimFamily(),
        P2051SimFamily(),
        P89s5xSimFamily(),
        Pic16SimFamily(),
        P16f87xaSimFamily(),
        Avr90sSimFamily(),
        GalSimFamily(),
        P22v10SimFamily(),
        SramSimFamily(),
        OptoSimFamily(),
        LogicIcSimFamily(),
    };
    return families;
}

} // namespace quarvin::sim
