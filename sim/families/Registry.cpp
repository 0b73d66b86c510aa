#include "sim/SimFamily.h"
#include "sim/families/uv_eprom/UvEpromSim.h"
#include "sim/families/w27e/W27eSim.h"

namespace quarvin::sim {

// Each family with chip models or opcodes adds one line here. Later families'
// opcodes replace earlier ones of the same number.
const std::vector<SimFamily>& SimFamilies() {
    static const std::vector<SimFamily> families = {
        UvEpromSimFamily(),
        W27eSimFamily(),
    };
    return families;
}

} // namespace quarvin::sim
