#include "families/framework/PldSteps.h"

#include <algorithm>

#include "buffer/formats/Jedec.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

void PldPrepareSocket(LinkState& link, int vppMillivolts) {
    ConnectGround(link, kPldGroundPin);
    SetVccLevel(link, kPldVccLevel);
    SetVppLevel(link, vppMillivolts);
}

void PldPowerUp(LinkState& link, const PldSupply& supply) {
    WriteAllPorts(link, 255);
    ConnectGround(link, kPldGroundPin);
    SetVppLevel(link, supply.vppMillivolts);
    Delay(link, kPldSupplySettleTicks);
    ConnectVcc(link, supply.vccPin);
    ConnectVpp(link, supply.vppPin);
}

void PldPowerDown(LinkState& link) {
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
}

void ConfirmBoxAnswers(LinkState& link) { ReadPort(link, 2); }

void FillFuseMap(MainBuffer& buffer) {
    std::fill(buffer.data(), buffer.data() + kPldFilledFuses, formats::kFuseSet);
}

} // namespace quarvin
