#include "link/PortFile.h"
#include "platform/RegularFile.h"

#include <fstream>

namespace quarvin {

namespace {

// Port names are short; anything longer than this is not a port file.
constexpr std::size_t MaxNameLength = 4096;

std::string portFilePath(const std::string& programDir) {
    if (programDir.empty()) return PortFileName;
    if (programDir.back() == '/') return programDir + PortFileName;
    return programDir + "/" + PortFileName;
}

} // namespace

std::optional<std::string> readPortFile(const std::string& programDir) {
    if (!CheckRegularFile(portFilePath(programDir), kMaxSettingsFileBytes).ok()) return std::nullopt;
    std::ifstream in(portFilePath(programDir), std::ios::binary);
    if (!in) return std::nullopt;
    std::string name;
    char c;
    while (name.size() <= MaxNameLength && in.get(c) && c != '\n' && c != '\0') name.push_back(c);
    // Carriage returns before the line end go, so that the name read is one that
    // writes back and reads again unchanged.
    while (!name.empty() && name.back() == '\r') name.pop_back();
    if (name.empty() || name.size() > MaxNameLength) return std::nullopt;
    return name;
}

bool writePortFile(const std::string& programDir, const std::string& name) {
    std::ofstream out(portFilePath(programDir), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(name.data(), static_cast<std::streamsize>(name.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace quarvin
