#pragma once
// File-name helpers of Load and Save: extensions come from the base name only, so
// a dot in a directory name is never taken for one.
#include <string>

namespace quarvin::formats {

// The base name's extension from its last "." on, dot included; empty when none.
std::string extensionOf(const std::string& path);
// The extension's first four characters in upper case (".HEX" for "x.hex").
std::string formatKeyOf(const std::string& path);
// The format key of the format a file name asks for: ".S19" for every S-record
// extension (.s19, .s28, .s37, .srec, .mot), otherwise formatKeyOf.
std::string formatKeyOfName(const std::string& path);
// The name a JEDEC save writes: a name that already ends in ".jed" (any case) is
// kept, otherwise its extension is replaced by (or extended with) ".JED".
std::string jedecSaveName(const std::string& path);

} // namespace quarvin::formats
