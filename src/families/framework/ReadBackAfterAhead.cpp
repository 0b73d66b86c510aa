#include "families/framework/ReadBackAfterAhead.h"

#include "link/commands/ReadAhead.h"

namespace quarvin {

OperationResult ProgramReadBackWhenAhead(LinkState& link, const std::function<OperationResult()>& program,
                                         const std::function<OperationResult()>& verify) {
    const bool ahead = SendsAhead(link);
    OperationResult written = program();
    if (!ahead || !written.ok()) return written;
    OperationResult readBack = verify();
    return readBack.ok() ? written : readBack;
}

} // namespace quarvin
