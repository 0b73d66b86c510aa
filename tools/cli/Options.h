#pragma once
// Command line of quarvin-cli: parsed into a plain record, with an error text for
// anything it does not understand.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarvin::cli {

enum class Format { Bin, Hex, Jed, Cds };

struct Options {
    std::string command;           // "convert", "sum" or "help"
    std::string input, output;
    std::optional<Format> inFormat, outFormat;
    int loadMode = 0;              // item of the format dialog's "Load mode"
    std::int32_t start = 0;
    std::optional<std::int32_t> end;
    std::int32_t fusesPerRow = 32;
    std::int32_t fuseRows = 64;
};

struct ParseResult {
    Options options;
    std::string error;             // empty when the command line is sound
};

ParseResult parse(const std::vector<std::string>& args);
// The format a file name suggests, as the format dialog preselects it (.BIN otherwise).
Format formatFromName(const std::string& path);
std::string usage();

} // namespace quarvin::cli
