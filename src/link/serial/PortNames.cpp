#include "link/serial/PortNames.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace quarvin {

namespace {

// The number after a prefix made of digits only, or -1.
long suffixNumber(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
    std::string digits = name.substr(prefix.size());
    if (digits.size() > 6) return -1;
    for (char c : digits)
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    return std::stol(digits);
}

void appendGroup(std::vector<std::string>& out, const std::string& devDir,
                 const std::vector<std::string>& entries, const std::string& prefix,
                 long maxNumber) {
    std::vector<std::pair<long, std::string>> group;
    for (const auto& e : entries) {
        long n = suffixNumber(e, prefix);
        if (n >= 0 && (maxNumber < 0 || n <= maxNumber)) group.emplace_back(n, e);
    }
    std::sort(group.begin(), group.end());
    for (const auto& g : group) out.push_back(devDir + "/" + g.second);
}

} // namespace

std::vector<std::string> orderSerialDevices(const std::string& devDir,
                                            const std::vector<std::string>& entries) {
    std::vector<std::string> out;
    appendGroup(out, devDir, entries, "ttyUSB", -1);
    appendGroup(out, devDir, entries, "ttyACM", -1);
    appendGroup(out, devDir, entries, "ttyS", 3);
    return out;
}

std::vector<std::string> listSerialDevices(const std::string& devDir) {
    std::vector<std::string> entries;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(devDir, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path().filename().string());
    return orderSerialDevices(devDir, entries);
}

int comNumber(const std::string& name) {
    if (name.size() < 4 || name.size() > 7) return 0;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(name[static_cast<std::size_t>(i)])) != "COM"[i])
            return 0;
    long n = suffixNumber("COM" + name.substr(3), "COM");
    return n >= 1 ? static_cast<int>(n) : 0;
}

std::string resolvePortName(const std::string& name, const std::vector<std::string>& devices) {
    int n = comNumber(name);
    if (n == 0) return name;
    if (static_cast<std::size_t>(n) > devices.size()) return {};
    return devices[static_cast<std::size_t>(n - 1)];
}

} // namespace quarvin
