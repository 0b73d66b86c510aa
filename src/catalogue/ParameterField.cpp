#include "catalogue/ParameterField.h"

#include <cctype>
#include <limits>

namespace quarvin {

namespace {

constexpr std::size_t FieldArea = 99;   // the field is held in a 100-byte area
constexpr std::size_t SignatureSpan = 9; // "#" is followed by three 2-digit codes and separators

// Leading blanks, optional sign, decimal digits; 0 without digits. Saturates at the
// limits of a 32-bit integer instead of overflowing.
std::int32_t LeadingDecimal(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::int64_t v = 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
        if (v <= limit) v = v * 10 + (s[i] - '0');
    if (v > limit) v = negative ? limit + 1 : limit;
    return static_cast<std::int32_t>(negative ? -v : v);
}

// Up to two hexadecimal digits at pos; 0 when the text is missing or not hexadecimal.
std::uint8_t HexByteAt(const std::string& s, std::size_t pos) {
    unsigned v = 0;
    for (std::size_t i = pos; i < pos + 2 && i < s.size(); ++i) {
        int c = std::tolower(static_cast<unsigned char>(s[i]));
        if (!std::isxdigit(c)) break;
        v = v * 16 + static_cast<unsigned>(std::isdigit(c) ? c - '0' : c - 'a' + 10);
    }
    return static_cast<std::uint8_t>(v);
}

} // namespace

ParameterField ParseParameterField(const std::string& whole) {
    ParameterField p;
    std::string field = whole.substr(0, FieldArea);
    auto blank = field.find(' ');
    if (blank == std::string::npos) return p;
    p.family = field.substr(0, blank);
    std::string rest = field.substr(blank + 1);
    p.subType = LeadingDecimal(rest);
    auto hash = rest.find('#');
    if (hash != std::string::npos) {
        std::string codes = rest.substr(hash + 1, SignatureSpan);
        for (std::size_t k = 0; k < 3; ++k) p.signature[k] = HexByteAt(codes, 3 * k);
    }
    return p;
}

} // namespace quarvin
