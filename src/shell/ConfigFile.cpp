#include "shell/ConfigFile.h"
#include "platform/RegularFile.h"

#include <climits>
#include <fstream>
#include <sstream>
#include <vector>

#include "shell/ShellTexts.h"

namespace quarvin::shell {

namespace {

constexpr std::size_t kCategoryKeyMax = 20;

// Splits the text into whole lines. The line end (LF, and a CR before it, as a file
// written on another system has) is always stripped, however long the line is, so a
// long path never spills into the next field. A last line without a line end counts.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t stop = end == std::string::npos ? text.size() : end;
        std::string line = text.substr(start, stop - start);
        // A value ends at a carriage return, where the writer cuts it too, so
        // that what is read is written back the same.
        line.resize(std::min(line.size(), line.find('\r')));
        lines.push_back(std::move(line));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

} // namespace

std::string ConfigPath(const std::string& programDir) { return programDir + std::string(kConfigFileName); }

int ParseDecimal(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    return static_cast<int>(v);
}

ConfigRead ParseConfiguration(const std::string& text, const std::string& caption) {
    ConfigRead r;
    std::vector<std::string> lines = SplitLines(text);
    std::string stamp = caption.substr(0, kVersionStampLength);
    if (lines.empty() || lines[0].substr(0, kVersionStampLength) != stamp) {
        r.status = ConfigStatus::OtherVersion;
        return r;
    }
    r.status = ConfigStatus::Restored;
    auto has = [&](std::size_t lineNo) { return lines.size() >= lineNo; };
    auto text_ = [&](std::size_t lineNo) { return lines[lineNo - 1]; };
    ConfigValues& v = r.values;
    if (has(2)) {
        int c = ParseDecimal(text_(2));
        v.categoryIndex = (c < 0 || c >= kCategoryCount) ? 0 : c;
    }
    if (has(3)) v.family = text_(3);
    if (has(4)) v.description = text_(4);
    if (has(5)) v.fileName = text_(5);
    if (has(6)) v.subType = ParseDecimal(text_(6));
    if (has(7)) v.manufacturer = text_(7);
    if (has(8)) v.categoryKey = text_(8).substr(0, kCategoryKeyMax);
    if (has(9)) v.manufacturerRow = ParseDecimal(text_(9));
    if (has(10)) v.typeRow = ParseDecimal(text_(10));
    if (has(11)) v.typeName = text_(11);
    return r;
}

ConfigRead ReadConfiguration(const std::string& path, const std::string& caption) {
    const auto text = ReadRegularFile(path, kMaxSettingsFileBytes);
    if (!text) return {};
    return ParseConfiguration(*text, caption);
}

std::string FormatConfiguration(const std::string& caption, const ConfigRecord& r) {
    // A value with a line break inside would shift every later line; keep each value
    // on its own line by cutting it at the first break.
    auto line = [](const std::string& s) { return s.substr(0, s.find_first_of("\r\n")) + "\n"; };
    std::string out;
    out += line(caption);
    out += std::to_string(r.categoryIndex) + "\n";
    out += line(r.family);
    out += line(r.description);
    out += line(r.fileName);
    out += std::to_string(r.subType) + "\n";
    out += line(r.manufacturer);
    out += line(r.categoryKey);
    out += std::to_string(r.manufacturerRow) + "\n";
    out += std::to_string(r.typeRow) + "\n";
    out += line(r.typeName);
    return out;
}

bool WriteConfiguration(const std::string& path, const std::string& caption, const ConfigRecord& r) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    std::string text = FormatConfiguration(caption, r);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace quarvin::shell
