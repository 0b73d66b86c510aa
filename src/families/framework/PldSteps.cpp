#include "families/framework/PldSteps.h"

#include <algorithm>

#include "buffer/formats/Jedec.h"
#include "families/framework/MemorySteps.h"
#include "link/commands/LinkOps.h"
#include "link/commands/ReadAhead.h"

namespace quarvin {

void PldPrepareSocket(LinkState& link, int vppMillivolts) {
    ConnectGround(link, kPldGroundPin);
    SetVccLevel(link, kPldVccLevel);
    SetVppLevel(link, vppMillivolts);
}

// The ports go high only once Vcc is on (the inputs are rated against Vcc, see
// PldPowerDown), and still before Vpp.
void PldPowerUp(LinkState& link, const PldSupply& supply) {
    ConnectGround(link, kPldGroundPin);
    SetVppLevel(link, supply.vppMillivolts);
    Delay(link, kPldSupplySettleTicks);
    ConnectVccThenPortsHigh(link, supply.vccPin);
    ConnectVpp(link, supply.vppPin);
}

// Every port low before the supply goes: the Lattice parts rate their inputs
// "-2.5 V to Vcc + 1.0 V", so a port left high feeds the unpowered part.
void PldPowerDown(LinkState& link) {
    ConnectVpp(link, 0);
    PortsLowThenVccOff(link);
}

void ConfirmBoxAnswers(LinkState& link) { ReadPort(link, 2); }

void PldRun::begin(const char* status, bool sendOnly) {
    sendOnly_ = sendOnly;
    if (status) hooks_.say(status, true);
    powerUp();
}

bool PldRun::stopRequested() {
    if (!hooks_.stop()) return false;
    PldPowerDown(link_);
    return true;
}

bool PldRun::stopAt(std::uint32_t a) {
    showProgress(rowBits_ * a);
    return stopRequested();
}

OperationResult PldRun::end(OperationResult r) {
    // Sending ahead, the confirmation every guarded operation ends with (after
    // the power-down, so it answers for those bytes too) is the only reply:
    // one wait for the adapter's timer instead of two. Waiting for each reply,
    // the port read before the power-down stays where it always was.
    if (r.ok() && sendOnly_ && !SendsAhead(link_)) ConfirmBoxAnswers(link_);
    PldPowerDown(link_);
    return r;
}

void FillFuseMap(MainBuffer& buffer) {
    std::fill(buffer.data(), buffer.data() + kPldFilledFuses, formats::kFuseSet);
}

} // namespace quarvin
