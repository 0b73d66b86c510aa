#pragma once
// A write whose commands went out ahead of their replies is only trusted once
// the part reads back what was to be written. A byte the box loses on the way
// (a receive overrun) that asks for no reply, such as a pin step, a port or
// address write, or an argument whose loss makes the box take the next
// one-byte step in its place, changes no reply: the write's own checks still
// pass while cells stay unwritten or are written at the wrong address. Reading
// back after each byte does not witness it either (it reads where the lost
// step left the address), so the whole written range is read again.
#include <functional>

#include "families/framework/Operation.h"

namespace quarvin {

// Runs program; when the link sends ahead and program succeeded, runs verify
// (the family's own, itself sent ahead) and ends with its result when that
// fails or is stopped, else with program's result. With window 1 this is
// program alone: the same bytes and result as ever.
OperationResult ProgramReadBackWhenAhead(LinkState& link, const std::function<OperationResult()>& program,
                                         const std::function<OperationResult()>& verify);

} // namespace quarvin
