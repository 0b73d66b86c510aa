#include "DeviceList.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "catalogue/Categories.h"
#include "catalogue/DeviceListReader.h"
#include "catalogue/ParameterField.h"

namespace quarvin::cli {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool Contains(const std::string& text, const std::string& part) {
    return part.empty() || Lower(text).find(Lower(part)) != std::string::npos;
}

bool Selectable(const std::string& type) { return !type.empty() && type[0] != '-'; }

// The list a run without a box reads, and the fallback when a board model's own
// list is not in the directory (the shipped lists hold the same devices).
constexpr const char* kDefaultDeviceList = "device.lst";

} // namespace

std::optional<std::vector<DeviceEntry>> ReadDeviceList(const std::string& path) {
    if (!CheckRegularFile(path, kMaxListFileBytes).ok()) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const auto rewind = [&in] {
        in.clear();
        in.seekg(0);
    };
    std::vector<DeviceEntry> entries;
    for (int c = 0; c < static_cast<int>(Categories.size()); ++c) {
        const std::string key = CategoryKey(c);
        rewind();
        std::vector<std::string> makers = ListManufacturers(in, key);
        // A name listed twice still selects the types of its first section.
        std::vector<std::string> seen;
        for (const std::string& maker : makers) {
            if (std::find(seen.begin(), seen.end(), maker) != seen.end()) continue;
            seen.push_back(maker);
            rewind();
            for (TypeEntry& t : ListTypes(in, key, maker))
                if (Selectable(t.text)) entries.push_back({c, maker, std::move(t.text), std::move(t.parameter)});
        }
    }
    return entries;
}

std::string CategoryName(int index) {
    std::string name = Categories[static_cast<std::size_t>(index)].item;
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

bool Matches(const DeviceEntry& e, const DeviceFilter& f) {
    if (!f.category.empty() && Lower(CategoryName(e.category)) != Lower(f.category)) return false;
    return Contains(e.maker, f.maker) && Contains(e.type, f.type);
}

std::vector<DeviceEntry> FindDevice(const std::vector<DeviceEntry>& entries, const std::string& name) {
    const auto slash = name.find('/');
    const std::string maker = slash == std::string::npos ? std::string() : name.substr(0, slash);
    const std::string type = slash == std::string::npos ? name : name.substr(slash + 1);
    const auto collect = [&](bool anyCase) {
        std::vector<DeviceEntry> found;
        for (const DeviceEntry& e : entries) {
            const bool typeMatches = anyCase ? Lower(e.type) == Lower(type) : e.type == type;
            if (typeMatches && (maker.empty() || Lower(e.maker) == Lower(maker))) found.push_back(e);
        }
        return found;
    };
    std::vector<DeviceEntry> found = collect(false);
    return found.empty() ? collect(true) : found;
}

SelectionState SelectionOf(const DeviceEntry& e) {
    const ParameterField p = ParseParameterField(e.parameter);
    SelectionState s;
    s.subType = p.subType;
    s.typeName = e.type;
    s.description = e.maker + ": " + e.type;
    s.family = p.family;
    s.expectedSignature = p.signature;
    return s;
}

std::string DeviceListPath(const std::string& dir, char boardModel) {
    const std::filesystem::path base(dir);
    if (boardModel != 0) {
        const auto own = base / DeviceListFileName(boardModel);
        if (std::filesystem::exists(own)) return own.string();
    }
    return (base / kDefaultDeviceList).string();
}

} // namespace quarvin::cli
