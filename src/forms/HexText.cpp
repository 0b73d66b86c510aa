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

std::optional<std::uint32_t> ParseHexField(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // "0x" counts as a prefix only when a digit follows; "0xg" reads as 0.
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        HexDigitValue(text[i + 2]) >= 0)
        i += 2;
    if (i >= text.size() || HexDigitValue(text[i]) < 0) return std::nullopt;
    std::uint32_t v = 0;
    for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) v = (v << 4) | static_cast<std::uint32_t>(HexDigitValue(text[i]));
    return negative ? 0u - v : v;
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
