#include "forms/HexText.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace quarvin {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
} // namespace

namespace {
// Where the digits of a "%x" field start and whether a minus sign stands before
// them; npos when no digit follows.
std::size_t DigitsStart(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // "0x" counts as a prefix only when a digit follows; "0xg" reads as 0.
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        HexDigitValue(text[i + 2]) >= 0)
        i += 2;
    if (i >= text.size() || HexDigitValue(text[i]) < 0) return std::string_view::npos;
    return i;
}
} // namespace

std::optional<std::uint32_t> ParseHexField(std::string_view text) {
    bool negative = false;
    std::size_t i = DigitsStart(text, negative);
    if (i == std::string_view::npos) return std::nullopt;
    std::uint32_t v = 0;
    for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) v = (v << 4) | static_cast<std::uint32_t>(HexDigitValue(text[i]));
    return negative ? 0u - v : v;
}

HexField ReadHexField(std::string_view text, std::uint32_t largest) {
    HexField field;
    bool negative = false;
    std::size_t i = DigitsStart(text, negative);
    if (i == std::string_view::npos) return field;
    while (i + 1 < text.size() && text[i] == '0' && HexDigitValue(text[i + 1]) >= 0) ++i;
    std::uint64_t v = 0;
    int digits = 0;
    for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i, ++digits) {
        if (digits == 8) {
            field.status = HexFieldStatus::TooManyDigits;
            return field;
        }
        v = (v << 4) | static_cast<std::uint64_t>(HexDigitValue(text[i]));
    }
    const std::uint32_t value = negative ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
    if (value > largest) {
        field.status = HexFieldStatus::TooLarge;
        return field;
    }
    field.status = HexFieldStatus::Ok;
    field.value = value;
    return field;
}

std::string HexFieldRefusal(std::string_view fieldName, std::string_view text, const HexField& field,
                            std::uint32_t largest, std::uint32_t kept) {
    const std::string name(fieldName), typed(text);
    switch (field.status) {
    case HexFieldStatus::TooManyDigits:
        return Format("%s: %s has more than 8 hex digits; kept %x", name.c_str(), typed.c_str(), kept);
    case HexFieldStatus::TooLarge:
        return Format("%s: %s is above %x; kept %x", name.c_str(), typed.c_str(), largest, kept);
    case HexFieldStatus::Ok:
    case HexFieldStatus::NoNumber:
        break;
    }
    return {};
}

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, args);
        out.assign(buf.data(), static_cast<std::size_t>(n));
    }
    va_end(args);
    return out;
}

} // namespace quarvin
