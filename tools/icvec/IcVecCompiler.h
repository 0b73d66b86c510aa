#pragma once
// The logic IC tester's vector sources (data/ictest/*.vec, FORMAT.md there)
// compiled into a library file the tester loads: per IC a 7-byte header and
// 9-byte vectors in the file's pin layout, "E" at the end.
#include <cstdint>
#include <string>
#include <vector>

namespace quarvin::icvec {

struct CompiledIc {
    int number = 0;
    std::string name;
    int pins = 0;
    int vectors = 0;           // in the library, loop vectors and split rows included
    double lineSeconds = 0;    // estimated time of its test on the line
    std::vector<std::string> notes;     // the comment lines right above its "ic" line
    std::vector<std::string> unchecked; // what no checked row looks at: "pins 3, 5 never low"
};

struct CompileResult {
    std::vector<std::uint8_t> library;
    std::vector<CompiledIc> ics;
    std::vector<std::string> errors; // "FILE:LINE: what"; the library is not to be written when any
    bool ok() const { return errors.empty(); }
};

// Limits of the library format and of the tester's patience.
inline constexpr int kMaxVectors = 255;
inline constexpr int kMaxRepeat = 65535;
inline constexpr double kMaxLineSeconds = 2.0;

CompileResult CompileIcVectors(const std::string& source, const std::string& fileName);

// The estimated line time of one IC's test, from its vectors (library layout).
double EstimateLineSeconds(const std::vector<std::uint8_t>& vectors);

} // namespace quarvin::icvec
