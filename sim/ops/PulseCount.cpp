#include "sim/ops/PulseCount.h"

#include "link/commands/Opcodes.h"
#include "sim/Box.h"

namespace quarvin::sim {

void installPulseCountOp(OpcodeTable& t) {
    t.add(op::PulseCount, OpcodeSpec::make("set pulse count", 1, 0, [](Box& box, std::uint8_t, OpArgs a) {
              box.state<PulseCountState>().count = a[0];
          }));
}

} // namespace quarvin::sim
