#pragma once
// The port file: the name of the last port on which the box answered, kept in
// the program directory so the next start tries it first.
#include <optional>
#include <string>

namespace quarvin {

inline constexpr const char* PortFileName = "zomexnt.con";

// The saved port name (the first line, line end dropped), or nothing when the
// file cannot be read or holds no name.
std::optional<std::string> readPortFile(const std::string& programDir);

// Writes the name whole, without line end. False when the file cannot be written.
bool writePortFile(const std::string& programDir, const std::string& name);

} // namespace quarvin
