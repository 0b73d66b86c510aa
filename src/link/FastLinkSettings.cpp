#include "link/FastLinkSettings.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "link/commands/ReadAhead.h"

namespace quarvin {

namespace {

constexpr const char* WindowKey = "read-ahead-window=";

std::string settingsPath(const std::string& programDir) {
    if (programDir.empty()) return FastLinkFileName;
    return programDir + (programDir.back() == '/' ? "" : "/") + FastLinkFileName;
}

} // namespace

int LoadSerialReadAheadWindow(const std::string& programDir) {
    const auto content = ReadRegularFile(settingsPath(programDir), kMaxSettingsFileBytes);
    std::istringstream in(content.value_or(std::string()));
    std::string line;
    const std::string key = WindowKey;
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0) continue;
        const std::string value = line.substr(key.size());
        char* end = nullptr;
        const long window = std::strtol(value.c_str(), &end, 10);
        if (end == value.c_str() || (*end != '\0' && *end != '\r')) return 1;
        return static_cast<int>(std::clamp<long>(window, 1, MaxReadAheadWindow));
    }
    return 1;
}

bool SaveSerialReadAheadWindow(const std::string& programDir, int window) {
    std::ofstream out(settingsPath(programDir), std::ios::trunc);
    out << WindowKey << std::clamp(window, 1, MaxReadAheadWindow) << "\n";
    out.close();
    return static_cast<bool>(out);
}

int ReadAheadWindowFor(LineKind kind, const std::string& programDir) {
    switch (kind) {
    case LineKind::VirtualBox:
    case LineKind::PseudoTerminal:
        return DefaultReadAheadWindow;
    case LineKind::SerialPort:
        return LoadSerialReadAheadWindow(programDir);
    case LineKind::Unknown:
        break;
    }
    return 1;
}

} // namespace quarvin
