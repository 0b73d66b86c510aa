#pragma once
// Candidates for the shell's completion, one a line, from the program itself so
// that the completion script never goes stale: `quarvin-cli __complete WHAT`.
//   commands    the commands
//   options     every --option of the usage text
//   devices     the device types, then MAKER/TYPE (--dir and --list apply)
//   operations  the operations of --device's family
//   settings    the family options of --device, as NAME=
//   chips       the chips the virtual box can hold
//   formats     the file formats
#include <ostream>

#include "Options.h"

namespace quarvin::cli {

// 0, or 2 (usage) for an unknown WHAT. Lists nothing, quietly, when the device
// list or the device cannot be found: a completion must never print errors.
int CompleteCommand(const Options& o, std::ostream& out);

} // namespace quarvin::cli
