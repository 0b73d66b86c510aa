#pragma once
// The ".CON" settings file beside the data file: eight characters, no line end.
// Positions 1-3 are "Sec", "WTD" and "PWRT3" ("0" clear, anything else checked),
// position 4 the "Osc Mode" index "0".."3", positions 5-8 the first four
// characters of the user ID field, padded with blanks.
#include <optional>
#include <string>

namespace quarvin {

struct Pic16Settings {
    bool sec = false;
    bool wdt = true;
    bool pwrt = false;
    int osc = 1;
};

// The data file's path with the extension of its last component replaced by
// ".CON"; empty when there is no data file or the data file is that path.
std::string Pic16SettingsPath(const std::string& dataFile);

// Applies what the text holds over `current`: a short text sets only its
// positions, and a fourth character outside "0".."3" leaves the oscillator.
Pic16Settings ParsePic16Settings(const std::string& text, Pic16Settings current);
std::string FormatPic16Settings(const Pic16Settings& s, const std::string& idText);

// File access: nothing when the file does not open; false when it cannot be written.
std::optional<std::string> ReadPic16SettingsFile(const std::string& path);
bool WritePic16SettingsFile(const std::string& path, const std::string& text);

} // namespace quarvin
