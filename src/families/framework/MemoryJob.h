#pragma once
// What one operation of a parallel memory family works on: the link, the
// selected row, the buffer, the address fields and the hooks.
#include "families/framework/Operation.h"

namespace quarvin {

template <typename Row>
struct MemoryJob {
    LinkState& link;
    const Row& row;
    MainBuffer& buffer;
    AddressFields fields;
    const OperationHooks& hooks;
};

} // namespace quarvin
