#pragma once
// quarvin-cli --lang: the core's messages in the window's translations. The
// classic texts are the default, so scripts that read them keep working.
#include <string>

namespace quarvin::cli {

// "classic", "en" or "zh"; false with the reason when the language is unknown
// or its translation file cannot be found.
bool SetLanguage(const std::string& code, std::string& error);
// A message of the core in the chosen language.
std::string Shown(const std::string& classic);

} // namespace quarvin::cli
