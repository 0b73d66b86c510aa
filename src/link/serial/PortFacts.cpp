#include "link/serial/PortFacts.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "link/serial/PortNames.h"

namespace quarvin {

std::string TtyNameOf(const std::string& path) {
    char resolved[PATH_MAX];
    const std::string real = ::realpath(path.c_str(), resolved) ? resolved : path;
    const auto slash = real.rfind('/');
    return slash == std::string::npos ? real : real.substr(slash + 1);
}

PortFacts FactsOfPort(const std::string& name, const std::string& devDir, const std::string& sysTtyDir) {
    PortFacts facts;
    facts.device = resolvePortName(name, listSerialDevices(devDir));
    const std::string tty = TtyNameOf(facts.device);
    if (tty.empty()) return facts;
    const std::filesystem::path device = std::filesystem::path(sysTtyDir) / tty / "device";
    std::error_code error;
    const auto driver = std::filesystem::read_symlink(device / "driver", error);
    if (!error) facts.driver = driver.filename().string();
    std::ifstream timer(device / "latency_timer");
    int ms = 0;
    if (timer >> ms) facts.latencyMs = ms;
    return facts;
}

std::string DescribePort(const std::string& name, const PortFacts& facts) {
    std::string line = "port: " + name;
    if (facts.device != name) line += " (" + facts.device + ")";
    line += ", driver " + (facts.driver.empty() ? std::string("unknown") : facts.driver);
    line += ", latency timer ";
    line += facts.latencyMs ? std::to_string(*facts.latencyMs) + " ms" : std::string("none");
    return line;
}

} // namespace quarvin
