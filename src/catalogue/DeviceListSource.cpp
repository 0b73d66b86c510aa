#include "catalogue/DeviceListSource.h"

#include <cctype>
#include <set>

#include "catalogue/Categories.h"
#include "catalogue/DeviceListReader.h"
#include "catalogue/DispatchTable.h"

namespace quarvin {

namespace {

constexpr std::size_t MaxLine = 98;       // the reader takes 99 characters with the line end
constexpr std::size_t NormalisedPart = 50;

struct Model {
    char letter;
    const char* note;
};
constexpr Model Models[] = {
    {'a', "no ground switch on pin 31, or no box connected"},
    {'b', "box that identifies as pemrav13"},
    {'c', "every other box"},
};

bool KnownCategory(const std::string& line) {
    for (const auto& c : Categories)
        if (line.compare(0, 4, c.key) == 0) return true;
    return false;
}

bool IsHexPair(const std::string& s, std::size_t pos) {
    return pos + 1 < s.size() && std::isxdigit(static_cast<unsigned char>(s[pos])) &&
           std::isxdigit(static_cast<unsigned char>(s[pos + 1]));
}

// Problems of a type line's parameter field, empty when sound.
std::string CheckParameter(const std::string& field) {
    auto blank = field.find(' ');
    if (blank == std::string::npos) return "parameter field without a blank: \"" + field + "\"";
    std::string family = field.substr(0, blank);
    if (!DialogClassOf(family)) return "unknown family name \"" + family + "\"";
    std::string rest = field.substr(blank + 1);
    if (rest.empty() || !std::isdigit(static_cast<unsigned char>(rest[0])))
        return "sub-type index missing after \"" + family + "\"";
    auto hash = rest.find('#');
    if (hash != std::string::npos) {
        std::string codes = rest.substr(hash + 1);
        if (codes.size() != 8 || !IsHexPair(codes, 0) || !IsHexPair(codes, 3) || !IsHexPair(codes, 6))
            return "signature must be three two-digit hexadecimal codes, as #1E,51,FF";
    }
    return {};
}

} // namespace

GeneratedLists GenerateDeviceLists(std::istream& source) {
    GeneratedLists out;
    std::string body;
    std::string line;
    int number = 0;
    bool inSection = false;
    std::set<std::string> sectionTypes;
    auto problem = [&](std::string text) { out.problems.push_back({number, std::move(text)}); };

    while (std::getline(source, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == ';') continue;
        if (line.size() > MaxLine) problem("line longer than 98 characters");
        for (unsigned char ch : line)
            if (ch < 32 || ch >= 128) {
                problem("control or non-ASCII byte");
                break;
            }
        if (!line.empty() && line[0] == '#') {
            inSection = true;
            sectionTypes.clear();
            if (!KnownCategory(line)) problem("header of no category: \"" + line + "\"");
            else if (line.find('-') == std::string::npos) problem("header without \"-\"");
            else if (line.size() > NormalisedPart) problem("header longer than 50 characters");
        } else if (!line.empty() && line[0] != '/') {
            if (!inSection) problem("type line before the first header");
            TypeEntry e = SplitTypeLine(line);
            if (line.find(',') != std::string::npos) {
                if (std::string why = CheckParameter(e.parameter); !why.empty()) problem(why);
                if (!e.text.empty() && e.text[0] == '-') problem("a type starting with \"-\" cannot be confirmed");
                if (!sectionTypes.insert(e.text).second) problem("type \"" + e.text + "\" repeated in its section");
            }
        }
        body += line + "\n";
    }
    for (const auto& m : Models)
        out.files[DeviceListFileName(m.letter)] =
            std::string("/ QUARVIN device list for board model ") + m.letter + ": " + m.note + "\n" +
            "/ Made from data/devices.src by quarvin-devlist: edit the source, not this file.\n" + body;
    return out;
}

} // namespace quarvin
