#include "forms/Texts.h"

#include <algorithm>
#include <cctype>

namespace quarvin {

namespace {

bool HasLetter(std::string_view s) {
    // Bytes of UTF-8 sequences (the Chinese captions) count as letters.
    return std::any_of(s.begin(), s.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x80 || std::isalpha(u);
    });
}

// Where a leading part of a composed message may end: before a blank or an
// opening bracket, or after a closing mark ("<Device>AMD: ...").
bool CanCutAt(std::string_view s, std::size_t at) {
    const char next = s[at], prev = s[at - 1];
    return next == ' ' || next == '(' || prev == '!' || prev == ':' || prev == '.' || prev == ',' || prev == ')' ||
           prev == '>';
}

std::string TranslateLine(std::string_view line, const TextLookup& lookup) {
    if (!HasLetter(line)) return std::string(line);
    if (auto whole = lookup(line)) return *whole;
    // Leading blanks belong to a marked tail (" (an empty socket reads the same)")
    // or to nothing.
    if (const std::size_t blanks = line.find_first_not_of(' '); blanks > 0)
        return std::string(line.substr(0, blanks)) + TranslateLine(line.substr(blanks), lookup);
    for (std::size_t cut = line.size() - 1; cut > 0; --cut) {
        if (!CanCutAt(line, cut)) continue;
        auto found = lookup(line.substr(0, cut));
        // "Fiel: " is marked with its blank; a head cut before a blank has none.
        std::size_t used = cut;
        if (!found && line[cut] == ' ') {
            found = lookup(line.substr(0, cut + 1));
            if (found) used = cut + 1;
        }
        if (found) return *found + TranslateLine(line.substr(used), lookup);
    }
    return std::string(line);
}

} // namespace

std::string TranslateText(std::string_view text, const TextLookup& lookup) {
    if (text.empty() || !HasLetter(text)) return std::string(text);
    if (auto whole = lookup(text)) return *whole;
    std::string out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find('\n', from);
        out += TranslateLine(text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from), lookup);
        if (end == std::string_view::npos) break;
        out += '\n';
        from = end + 1;
    }
    return out;
}

} // namespace quarvin
