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

// A field read with limits: like ParseHexField, but a number of more than eight
// significant digits, or one above the field's largest value, is refused instead
// of wrapping, so that the caller keeps the old value and says why.
enum class HexFieldStatus { Ok, NoNumber, TooManyDigits, TooLarge };
struct HexField {
    HexFieldStatus status = HexFieldStatus::NoNumber;
    std::uint32_t value = 0;
    bool ok() const { return status == HexFieldStatus::Ok; }
};
HexField ReadHexField(std::string_view text, std::uint32_t largest = 0xFFFFFFFFu);

// What a refused field tells the user, e.g.
// "Length: 100000000 has more than 8 hex digits; kept 1ff". Empty for Ok and NoNumber.
std::string HexFieldRefusal(std::string_view fieldName, std::string_view text, const HexField& field,
                            std::uint32_t largest, std::uint32_t kept);

// The value of one hexadecimal digit (either case), or -1.
int HexDigitValue(char c);

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

} // namespace quarvin
