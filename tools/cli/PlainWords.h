#pragma once
// The program's own messages stay as they are; some say little to a user of the
// command line (a Chinese word, a doubled mark, a dropped bracket). This gives
// the English that is printed beside them.
#include <string>

namespace quarvin::cli {

// The English meaning of a message, or "" when the message says it plainly.
std::string PlainWords(const std::string& message);

} // namespace quarvin::cli
