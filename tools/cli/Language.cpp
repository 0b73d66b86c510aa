#include "Language.h"

#ifdef QUARVIN_TRANSLATIONS
#include "Translation.h"
#endif

namespace quarvin::cli {

#ifdef QUARVIN_TRANSLATIONS

namespace {

i18n::Translation& Current() {
    static i18n::Translation translation;
    return translation;
}

} // namespace

bool SetLanguage(const std::string& code, std::string& error) {
    const auto language = i18n::LanguageNamed(code);
    if (!language) {
        error = "unknown language '" + code + "' (classic, en or zh)";
        return false;
    }
    if (!Current().load(*language)) {
        error = "the translation for '" + code + "' is not installed";
        return false;
    }
    return true;
}

std::string Shown(const std::string& classic) { return Current().translate(classic); }

#else

// Built without Qt: only the classic texts.
bool SetLanguage(const std::string& code, std::string& error) {
    if (code == "classic") return true;
    error = "this quarvin-cli was built without translations: only --lang classic";
    return false;
}

std::string Shown(const std::string& classic) { return classic; }

#endif

} // namespace quarvin::cli
