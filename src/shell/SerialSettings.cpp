#include "shell/SerialSettings.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/RegularFile.h"
#include "shell/SerialCounter.h"

namespace quarvin {

std::string SerialSpecText(const SerialSpec& spec) {
    char address[16];
    std::snprintf(address, sizeof address, "%X", spec.address);
    return std::string(address) + ":" + spec.format.name() + ":" + std::to_string(spec.start) + ":" +
           std::to_string(spec.step);
}

SerialSettings ParseSerialSettings(const std::string& text) {
    SerialSettings s;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "on") {
            s.on = value == "1";
        } else if (key == "serial") {
            if (const SerialSpecParse parsed = ParseSerialSpec(value); parsed.spec) s.spec = *parsed.spec;
        } else if (key == "counter" && !value.empty()) {
            s.counterFile = value;
        }
    }
    return s;
}

std::string FormatSerialSettings(const SerialSettings& s) {
    return std::string("on=") + (s.on ? "1" : "0") + "\nserial=" + SerialSpecText(s.spec) + "\ncounter=" +
           s.counterFile + "\n";
}

WindowSerialNumbers::WindowSerialNumbers(std::string programDir) : dir_(std::move(programDir)) {
    if (const auto text = ReadRegularFile(dir_ + kSerialSettingsFileName, kMaxSettingsFileBytes))
        settings_ = ParseSerialSettings(*text);
}

std::string WindowSerialNumbers::store(const SerialSettings& settings) {
    settings_ = settings;
    const std::string path = dir_ + kSerialSettingsFileName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << FormatSerialSettings(settings);
    out.close();
    return out ? std::string() : "Cannot write " + path;
}

std::string WindowSerialNumbers::counterPath() const {
    const std::string& f = settings_.counterFile;
    return !f.empty() && f.front() == '/' ? f : dir_ + (f.empty() ? std::string(kSerialCounterFileName) : f);
}

std::optional<SerialSpec> WindowSerialNumbers::active() const {
    if (!settings_.on) return std::nullopt;
    return settings_.spec;
}

SerialTicket WindowSerialNumbers::take() {
    SerialCounter counter(counterPath(), settings_.spec);
    const SerialTake taken = counter.take();
    return {taken.number, taken.error};
}

std::string WindowSerialNumbers::giveBack(std::uint64_t number) {
    return SerialCounter(counterPath(), settings_.spec).giveBack(number);
}

} // namespace quarvin
