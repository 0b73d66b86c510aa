#include "families/pic16c8x/Pic16Settings.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace quarvin {

namespace {

constexpr std::size_t kSettingsLength = 8;
constexpr std::size_t kIdCharacters = 4;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::string Pic16SettingsPath(const std::string& dataFile) {
    if (dataFile.empty()) return {};
    const std::size_t slash = dataFile.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = dataFile.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot >= nameStart;
    std::string path = (hasExtension ? dataFile.substr(0, dot) : dataFile) + ".CON";
    if (SameIgnoringCase(path, dataFile)) return {};
    return path;
}

Pic16Settings ParsePic16Settings(const std::string& text, Pic16Settings current) {
    if (text.size() > 0) current.sec = text[0] != '0';
    if (text.size() > 1) current.wdt = text[1] != '0';
    if (text.size() > 2) current.pwrt = text[2] != '0';
    if (text.size() > 3 && text[3] >= '0' && text[3] <= '3') current.osc = text[3] - '0';
    return current;
}

std::string FormatPic16Settings(const Pic16Settings& s, const std::string& idText) {
    std::string text;
    text += s.sec ? '1' : '0';
    text += s.wdt ? '1' : '0';
    text += s.pwrt ? '1' : '0';
    text += static_cast<char>('0' + std::clamp(s.osc, 0, 3));
    text += idText.substr(0, kIdCharacters);
    text.resize(kSettingsLength, ' ');
    return text;
}

std::optional<std::string> ReadPic16SettingsFile(const std::string& path) {
    if (path.empty()) return std::nullopt;
    return ReadRegularFile(path, kMaxSettingsFileBytes);
}

bool WritePic16SettingsFile(const std::string& path, const std::string& text) {
    if (path.empty()) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

} // namespace quarvin
