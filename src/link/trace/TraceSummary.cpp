#include "link/trace/TraceSummary.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "link/trace/LinkTrace.h"
#include "link/trace/TraceSink.h"

namespace quarvin {

namespace {

// "SSSSSS.uuuuuu": six fraction digits, at most twelve digits of seconds.
bool parseTime(const std::string& token, std::int64_t& us) {
    const std::size_t dot = token.find('.');
    if (dot == std::string::npos || dot == 0 || dot > 12 || token.size() - dot - 1 != 6) return false;
    std::int64_t seconds = 0, micros = 0;
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (i == dot) continue;
        if (token[i] < '0' || token[i] > '9') return false;
        std::int64_t& part = i < dot ? seconds : micros;
        part = part * 10 + (token[i] - '0');
    }
    us = seconds * 1000000 + micros;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The hex bytes of a byte line, up to its " @operation"; false when one is not a byte.
bool parseBytes(std::istringstream& words, std::vector<std::uint8_t>& out) {
    std::string word;
    bool any = false;
    while (words >> word) {
        if (word[0] == '@') break;
        if (word.size() != 2 || hexDigit(word[0]) < 0 || hexDigit(word[1]) < 0) return false;
        out.push_back(static_cast<std::uint8_t>(hexDigit(word[0]) * 16 + hexDigit(word[1])));
        any = true;
    }
    return any;
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// The event text without a trailing " @operation".
std::string eventText(const std::string& rest) {
    const std::size_t at = rest.find(" @");
    return at == std::string::npos ? rest : rest.substr(0, at);
}

} // namespace

std::string TraceTime(std::int64_t us) {
    char text[40];
    std::snprintf(text, sizeof text, "%06lld.%06lld", static_cast<long long>(us / 1000000),
                  static_cast<long long>(us % 1000000));
    return text;
}

TraceSummary ReadTrace(std::istream& in) {
    TraceSummary s;
    std::string line;
    auto bad = [&s] {
        ++s.badLines;
        if (s.firstBadLine == 0) s.firstBadLine = s.lines;
    };
    while (std::getline(in, line)) {
        ++s.lines;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line[0] == '#') {
            if (line == TraceHeader) s.headerSeen = true;
            if (startsWith(line, DroppedMarker)) {
                s.droppedBytes = std::strtoull(line.c_str() + std::char_traits<char>::length(DroppedMarker), nullptr, 10);
            }
            continue;
        }
        std::istringstream words(line);
        std::string time, kind;
        std::int64_t us = 0;
        if (!(words >> time >> kind) || !parseTime(time, us)) {
            bad();
            continue;
        }
        if (s.lastUs >= 0 && us - s.lastUs > s.largestGapUs) {
            s.largestGapUs = us - s.lastUs;
            s.largestGapAtUs = us;
        }
        if (s.firstUs < 0) s.firstUs = us;
        s.lastUs = std::max(s.lastUs, us);

        const std::string rest = eventText(line.substr(line.find(kind, time.size())));
        if (kind == ">" || kind == "<") {
            if (!parseBytes(words, kind == ">" ? s.sent : s.received)) bad();
        } else if (kind == "op") {
            // "op end" closes the operation before it and names none.
            const std::string name = rest.size() > 3 && rest != LinkTrace::NoOperationLine ? rest.substr(3) : std::string();
            if (!name.empty() && std::find(s.operations.begin(), s.operations.end(), name) == s.operations.end())
                s.operations.push_back(name);
        } else if (kind == "timeout") {
            ++s.timeouts;
        } else if (kind == "open") {
            ++(rest.find(" failed") != std::string::npos ? s.failedOpens : s.opens);
        } else if (kind == "close") {
            ++s.closes;
        } else if (kind == "lost") {
            ++s.lost;
        } else if (rest == "write failed") {
            ++s.writeFailures;
        } else if (kind != "purge" && kind != "recording") {
            bad();
        }
    }
    return s;
}

std::string DescribeTrace(const TraceSummary& s) {
    std::ostringstream out;
    if (!s.headerSeen) out << "warning: no trace header (not a link trace, or its start is missing)\n";
    if (s.droppedBytes) out << "older trace dropped: " << s.droppedBytes << " bytes\n";
    out << "span: " << (s.firstUs < 0 ? "no time-stamped lines" : TraceTime(s.firstUs) + " .. " + TraceTime(s.lastUs))
        << '\n';
    out << "bytes to the box: " << s.sent.size() << '\n';
    out << "bytes from the box: " << s.received.size() << '\n';
    out << "largest gap: " << TraceTime(s.largestGapUs) << " s";
    if (s.largestGapUs > 0) out << " (before " << TraceTime(s.largestGapAtUs) << ")";
    out << '\n';
    out << "time-outs: " << s.timeouts << '\n';
    out << "ports opened: " << s.opens << ", failed: " << s.failedOpens << ", closed: " << s.closes << '\n';
    out << "links lost: " << s.lost << '\n';
    if (s.writeFailures) out << "failed writes: " << s.writeFailures << '\n';
    out << "operations:";
    if (s.operations.empty()) out << " none";
    for (const std::string& op : s.operations) out << ' ' << op;
    out << '\n';
    if (s.badLines) out << "unreadable lines: " << s.badLines << " (first: line " << s.firstBadLine << ")\n";
    return out.str();
}

} // namespace quarvin
