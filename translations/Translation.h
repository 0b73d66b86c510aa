#pragma once
// The languages of the window and the command line, and their Qt translation
// files (quarvin_en.qm, quarvin_zh_CN.qm) built from the .ts sources here. Only
// Qt Core is needed, so the command line can use it without a display.
#include <QTranslator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Texts.h"

namespace quarvin::i18n {

enum class Language { Classic, English, Chinese };

// The names --lang and the settings use: "classic", "en", "zh".
const char* CodeOf(Language language);
std::optional<Language> LanguageNamed(std::string_view code);
// Chinese for a Chinese system locale ("zh_CN.UTF-8", "zh_TW"), else English.
Language LanguageForLocale(std::string_view localeName);

// Where the translation files are looked for: share/quarvin/translations beside
// the executable's bin/ (the installed program), then the build's own folder.
std::vector<std::string> TranslationDirs();

// One loaded language. Classic needs no file.
class Translation {
public:
    // False (and the classic texts) when the language's file is in none of `dirs`.
    bool load(Language language, const std::vector<std::string>& dirs = TranslationDirs());
    Language language() const { return language_; }
    QTranslator& translator() { return translator_; }
    // The whole-text lookup TranslateText takes apart composed messages with.
    TextLookup lookup() const;
    std::string translate(std::string_view classic) const;

private:
    Language language_ = Language::Classic;
    QTranslator translator_;
};

} // namespace quarvin::i18n
