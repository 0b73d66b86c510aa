#include "Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>

namespace quarvin::app {

namespace {

constexpr const char* kSettingsFile = "quarvin.ini";
constexpr const char* kLanguageKey = "Window/Language";

i18n::Translation& Current() {
    static i18n::Translation translation;
    return translation;
}

// Qt's own texts (the Yes, No and Cancel of the questions, the file dialog) in
// Chinese, when the system has Qt's translations.
QTranslator& QtOwnTexts() {
    static QTranslator translator;
    return translator;
}

QSettings SettingsOf(const std::string& dir) {
    return QSettings(QString::fromStdString(dir) + "/" + kSettingsFile, QSettings::IniFormat);
}

} // namespace

QString Shown(const std::string& classic) {
    if (CurrentLanguage() == Language::Classic) return QString::fromStdString(classic);
    return QString::fromStdString(Current().translate(classic));
}

QString Shown(const char* classic) { return Shown(std::string(classic)); }

Language CurrentLanguage() { return Current().language(); }

bool ApplyLanguage(Language language) {
    i18n::Translation& t = Current();
    QCoreApplication::removeTranslator(&t.translator());
    QCoreApplication::removeTranslator(&QtOwnTexts());
    if (language == Language::Chinese &&
        QtOwnTexts().load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&QtOwnTexts());
    const bool loaded = t.load(language);
    // Installing or removing the translator sends every window a LanguageChange.
    if (t.language() != Language::Classic) QCoreApplication::installTranslator(&t.translator());
    return loaded;
}

Language SavedLanguage(const std::string& dir) {
    const std::string code = SettingsOf(dir).value(kLanguageKey).toString().toStdString();
    if (auto saved = i18n::LanguageNamed(code)) return *saved;
    return i18n::LanguageForLocale(QLocale::system().name().toStdString());
}

void SaveLanguage(const std::string& dir, Language language) {
    SettingsOf(dir).setValue(kLanguageKey, i18n::CodeOf(language));
}

} // namespace quarvin::app
