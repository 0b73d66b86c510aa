#pragma once
// The W27E operations: Read, Blank, Verify and Sum are the EPROM ones with this
// family's texts; Erase and Programe are its own.
#include "families/framework/MemoryJob.h"
#include "families/framework/Operation.h"
#include "families/w27e/W27eRows.h"

namespace quarvin {

using W27eJob = MemoryJob<W27eRow>;

OperationResult ReadW27e(const W27eJob& job);
OperationResult BlankCheckW27e(const W27eJob& job);
OperationResult VerifyW27e(const W27eJob& job);
OperationResult SumW27e(const W27eJob& job);
// The electrical chip erase: 14 V on Vpp and A9 and the row's strobe for about
// 95 ms. It checks nothing; Blank tells whether it worked.
OperationResult EraseW27e(const W27eJob& job);
// Programs Length + 1 bytes with one 12 V pulse each, checking every byte; a
// run that ends well is followed by Sum, whose text it leaves.
OperationResult ProgramW27e(const W27eJob& job);

} // namespace quarvin
