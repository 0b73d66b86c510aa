#pragma once
// Checks made before the first device operation, so that a run does not read a
// whole chip and then find it cannot keep the result.
#include <string>

namespace quarvin::cli {

// Why `output` cannot be written (missing folder, a directory, no permission),
// or, unless `force`, why it must not be (it is the `input` file); empty when it
// can. Creates nothing.
std::string OutputFileProblem(const std::string& output, const std::string& input, bool force);

} // namespace quarvin::cli
