#pragma once
// Golden wire files: the bytes an operation sends, as readable hex lines, kept
// in tests/families/golden and compared line by line so that a difference names
// its place. QUARVIN_UPDATE_GOLDEN=1 rewrites the files instead of comparing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "forms/HexText.h"
#include "sim/Box.h"
#include "sim/VirtualBoxTransport.h"
#include "support/TappedTransport.h"

namespace quarvin::test {

inline const std::filesystem::path kGoldenDir = std::filesystem::path(QUARVIN_SOURCE_DIR) / "tests/families/golden";


// 32 bytes a line.
inline std::string HexLines(const std::uint8_t* bytes, std::size_t n) {
    std::ostringstream out;
    for (std::size_t i = 0; i < n; ++i) out << Format("%02x", bytes[i]) << ((i % 32 == 31 || i + 1 == n) ? "\n" : " ");
    return out.str();
}
inline std::string HexLines(const std::vector<std::uint8_t>& bytes) { return HexLines(bytes.data(), bytes.size()); }

// Line by line, so that a difference names its place.
inline testing::AssertionResult SameLines(const std::string& got, const std::string& want) {
    std::istringstream g(got), w(want);
    std::string gl, wl;
    int line = 1;
    for (; std::getline(w, wl); ++line) {
        if (!std::getline(g, gl)) return testing::AssertionFailure() << "stream ends early at line " << line;
        if (gl != wl)
            return testing::AssertionFailure() << "line " << line << ": got \"" << gl << "\", recorded \"" << wl << "\"";
    }
    if (std::getline(g, gl)) return testing::AssertionFailure() << "stream longer than recorded, from line " << line;
    return testing::AssertionSuccess();
}

// Compares the text with the golden file of this name, or writes the file when
// QUARVIN_UPDATE_GOLDEN is set.
inline testing::AssertionResult MatchesGolden(const std::string& name, const std::string& got) {
    const std::filesystem::path file = kGoldenDir / (name + ".wire");
    if (std::getenv("QUARVIN_UPDATE_GOLDEN") != nullptr) {
        std::filesystem::create_directories(kGoldenDir);
        std::ofstream(file, std::ios::binary) << got;
        return testing::AssertionSuccess();
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) return testing::AssertionFailure() << "missing golden file " << file;
    std::ostringstream want;
    want << in.rdbuf();
    return SameLines(got, want.str());
}

// What a dialog ended with and the bytes it sent for one recorded case.
struct Recording {
    std::vector<std::uint8_t> bytes;
    std::string message;
};

// A recording against its golden file: the message on line 1, then the bytes.
inline testing::AssertionResult MatchesGolden(const std::string& name, const Recording& r) {
    return MatchesGolden(name, "message: " + r.message + "\n" + HexLines(r.bytes));
}

} // namespace quarvin::test
