#include "Translation.h"

#include <QDir>
#include <QString>

#include "shell/ProgramDirectory.h"

namespace quarvin::i18n {

namespace {

const char* FileOf(Language language) {
    switch (language) {
    case Language::English: return "quarvin_en.qm";
    case Language::Chinese: return "quarvin_zh_CN.qm";
    case Language::Classic: break;
    }
    return nullptr;
}

} // namespace

const char* CodeOf(Language language) {
    switch (language) {
    case Language::English: return "en";
    case Language::Chinese: return "zh";
    case Language::Classic: break;
    }
    return "classic";
}

std::optional<Language> LanguageNamed(std::string_view code) {
    for (Language l : {Language::Classic, Language::English, Language::Chinese})
        if (code == CodeOf(l)) return l;
    return std::nullopt;
}

Language LanguageForLocale(std::string_view localeName) {
    return localeName.substr(0, 2) == "zh" ? Language::Chinese : Language::English;
}

std::vector<std::string> TranslationDirs() {
    std::vector<std::string> dirs;
    const std::string installed = CurrentProgramDirRequest().installedDataDir;
    if (!installed.empty()) dirs.push_back(installed + "/translations");
#ifdef QUARVIN_BUILD_TRANSLATIONS_DIR
    dirs.push_back(QUARVIN_BUILD_TRANSLATIONS_DIR);
#endif
    return dirs;
}

bool Translation::load(Language language, const std::vector<std::string>& dirs) {
    language_ = Language::Classic;
    const char* file = FileOf(language);
    if (!file) {
        (void)translator_.load(QString());  // forgets a language loaded before
        return true;
    }
    for (const std::string& dir : dirs)
        if (translator_.load(QString::fromUtf8(file), QString::fromStdString(dir))) {
            language_ = language;
            return true;
        }
    return false;
}

TextLookup Translation::lookup() const {
    return [this](std::string_view text) -> std::optional<std::string> {
        if (language_ == Language::Classic) return std::nullopt;
        // The translation files are keyed by the classic text itself, without a context.
        const QString found = translator_.translate(nullptr, std::string(text).c_str());
        if (found.isEmpty()) return std::nullopt;
        return found.toStdString();
    };
}

std::string Translation::translate(std::string_view classic) const {
    if (language_ == Language::Classic) return std::string(classic);
    return TranslateText(classic, lookup());
}

} // namespace quarvin::i18n
