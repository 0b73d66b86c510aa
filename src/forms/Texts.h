#pragma once
// The texts the windows show are written in the program's classic wording, and
// that wording is also the key of their translations. QV_TEXT marks such a text
// where it is defined, so that Qt's lupdate collects it (the translation update
// passes QV_TEXT as an alias of QT_TRID_NOOP); it leaves the text unchanged, so
// the core and everything that reads its texts see the classic wording.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#define QV_TEXT(text) text

namespace quarvin {

// The translation of one whole text, or nothing when the language has none.
using TextLookup = std::function<std::optional<std::string>(std::string_view)>;

// A text in the language `lookup` stands for. A text with no translation of its
// own is taken apart: line by line, and a composed message ("Programe Failured!
// at 0001f0", "Fiel: a.hex") by its longest translated leading words followed by
// the rest, translated the same way. What no translation covers stays as it is.
std::string TranslateText(std::string_view text, const TextLookup& lookup);

} // namespace quarvin
