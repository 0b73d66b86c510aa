#include "sim/ops/FamilyOps.h"

namespace quarvin::sim {

// One line per group of accelerated opcodes; a new group adds its installer here
// (declared in FamilyOps.h). Later installers replace earlier entries of the
// same opcode.
void installFamilyOps(OpcodeTable& table) {
    installAddressOps(table);
    installEpromOps(table);
}

} // namespace quarvin::sim
