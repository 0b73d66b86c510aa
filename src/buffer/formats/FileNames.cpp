#include "buffer/formats/FileNames.h"

#include <cctype>

namespace quarvin::formats {

namespace {
std::string::size_type extensionStart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto base = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < base) return std::string::npos;
    return dot;
}

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
} // namespace

std::string extensionOf(const std::string& path) {
    const auto dot = extensionStart(path);
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string formatKeyOf(const std::string& path) { return upper(extensionOf(path).substr(0, 4)); }

std::string formatKeyOfName(const std::string& path) {
    const std::string key = formatKeyOf(path);
    for (const char* srec : {".S19", ".S28", ".S37", ".SRE", ".MOT"})
        if (key == srec) return ".S19";
    return key;
}

std::string jedecSaveName(const std::string& path) {
    if (upper(extensionOf(path)) == ".JED") return path;
    const auto dot = extensionStart(path);
    return (dot == std::string::npos ? path : path.substr(0, dot)) + ".JED";
}

} // namespace quarvin::formats
