#pragma once
// The hand-made JEDEC test files (tests/data/pld) and the JEDEC fuse checksum
// as the JEDEC standard defines it, written here apart from the program's own.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quarvin::test {

inline std::string PldFile(const std::string& name) {
    return (std::filesystem::path(QUARVIN_SOURCE_DIR) / "tests" / "data" / "pld" / name).string();
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Sum of the fuse bytes, eight fuses a byte with the first fuse in the least
// significant bit, the last byte padded with 0, modulo 65536.
inline std::uint16_t StandardFuseChecksum(const std::vector<int>& fuses) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < fuses.size(); i += 8) {
        unsigned byte = 0;
        for (std::size_t k = 0; k < 8 && i + k < fuses.size(); ++k) byte |= static_cast<unsigned>(fuses[i + k] & 1) << k;
        sum = (sum + byte) & 0xFFFF;
    }
    return static_cast<std::uint16_t>(sum);
}

// The fuses a JEDEC text sets, read by a plain parser of the fields (QF, F, L, C):
// every fuse QF counts, the default for those no L field lists.
struct ParsedJedec {
    std::vector<int> fuses;
    int checksum = -1;
};

inline ParsedJedec ParseJedecText(const std::string& text) {
    ParsedJedec p;
    const auto stx = text.find('\x02');
    const auto etx = text.find('\x03');
    std::string body = text.substr(stx == std::string::npos ? 0 : stx + 1, etx == std::string::npos ? std::string::npos : etx - stx - 1);
    std::vector<std::string> fields;
    std::string field;
    for (char c : body) {
        if (c == '*') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    int fill = 0;
    std::vector<std::pair<long, std::string>> rows;
    for (std::size_t i = 1; i < fields.size(); ++i) { // the first field is the design line
        std::string f = fields[i];
        const auto start = f.find_first_not_of(" \r\n\t");
        if (start == std::string::npos) continue;
        f = f.substr(start);
        if (f.rfind("QF", 0) == 0) p.fuses.assign(std::stoul(f.substr(2)), 0);
        else if (f[0] == 'F') fill = f[1] - '0';
        else if (f[0] == 'C') p.checksum = std::stoi(f.substr(1), nullptr, 16);
        else if (f[0] == 'L') {
            std::istringstream s(f.substr(1));
            long n = 0;
            s >> n;
            std::string bits, part;
            while (s >> part) bits += part;
            rows.emplace_back(n, bits);
        }
    }
    for (int& fuse : p.fuses) fuse = fill;
    for (const auto& [n, bits] : rows)
        for (std::size_t k = 0; k < bits.size(); ++k)
            if (n + static_cast<long>(k) < static_cast<long>(p.fuses.size())) p.fuses[static_cast<std::size_t>(n) + k] = bits[k] - '0';
    return p;
}

} // namespace quarvin::test
