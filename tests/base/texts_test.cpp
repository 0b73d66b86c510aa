// Composed messages are translated by their translated leading parts.
#include <gtest/gtest.h>

#include <map>

#include "forms/Texts.h"

namespace quarvin {
namespace {

TEST(TranslateText, WholeTextsThenLinesThenLeadingParts) {
    const std::map<std::string, std::string, std::less<>> english = {
        {"Programe Failured!", "Programming failed!"}, {"Fiel: ", "File: "},   {"<Device>", "<Device>"},
        {"Verify", "Verify"},   {"Secrity OK", "Security OK"},   {"a\nb", "whole"},   {"Programe", "Program"},
        {" (an empty socket reads the same)", " (same as empty)"}};
    const TextLookup lookup = [&](std::string_view t) -> std::optional<std::string> {
        auto it = english.find(t);
        if (it == english.end()) return std::nullopt;
        return it->second;
    };
    const struct { const char* classic; const char* shown; } cases[] = {
        {"Programe Failured!", "Programming failed!"},
        {"Programe Failured! at 0001f0", "Programming failed! at 0001f0"},
        {"Fiel: a.hex", "File: a.hex"},
        {"<Device>AMD: Am2716", "<Device>AMD: Am2716"},
        {"Programe Failured!\nSecrity OK", "Programming failed!\nSecurity OK"},
        {"a\nb", "whole"},
        {"Verify (an empty socket reads the same)", "Verify (same as empty)"},
        {"Programe Failured! Secrity OK", "Programming failed! Security OK"},
        // A word that only starts like a translated text is not taken apart.
        {"Programer", "Programer"},
        {"0001f0", "0001f0"},
        {"", ""},
        {"Unknown text", "Unknown text"},
    };
    for (const auto& c : cases) EXPECT_EQ(TranslateText(c.classic, lookup), c.shown) << c.classic;
}

} // namespace
} // namespace quarvin
