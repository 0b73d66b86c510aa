#pragma once
// The window's language: Classic (the program's own texts), English or Chinese.
// The choice is kept in the program directory's settings file; without one the
// system locale decides. Changing it takes effect at once: every view hears
// QEvent::LanguageChange and shows its model's texts again through Shown().
#include <QString>
#include <string>

#include "Translation.h"

namespace quarvin::app {

using i18n::Language;

// A text of the core as the window's language shows it.
QString Shown(const std::string& classic);
QString Shown(const char* classic);

Language CurrentLanguage();
// Loads the language's translation and tells every window; false (classic texts
// stay) when its translation file is missing.
bool ApplyLanguage(Language language);

// The saved choice of the program directory `dir`, or the system locale's.
Language SavedLanguage(const std::string& dir);
void SaveLanguage(const std::string& dir, Language language);

} // namespace quarvin::app
