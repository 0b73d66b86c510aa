#pragma once
// Hexadecimal texts of the windows and dialogs: fields typed by the user and the
// addresses shown in messages and read-outs.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarvin {

// Reads a field the way "%x" does: leading blanks skipped, an optional sign and
// "0x"/"0X" prefix, then hexadecimal digits up to the first other character.
// Nothing when no digit follows; the value wraps at 32 bits.
std::optional<std::uint32_t> ParseHexField(std::string_view text);

// The value of one hexadecimal digit (either case), or -1.
int HexDigitValue(char c);

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

} // namespace quarvin
