#pragma once
// The shipped device lists ("device.lst", "devicea.lst", "devicec.lst") are made
// from one source file so that they never drift apart. The source is written in the
// device list syntax itself; lines starting with ";" are notes for the maintainers
// and are dropped. Each generated file starts with a comment naming its board model.
#include <istream>
#include <map>
#include <string>
#include <vector>

namespace quarvin {

struct SourceProblem {
    int line = 0;
    std::string text;
};

struct GeneratedLists {
    std::map<std::string, std::string> files; // file name -> content
    std::vector<SourceProblem> problems;      // empty when the source is sound
};

// Checks every line (length, plain ASCII, known category and family, a decimal
// sub-type, well-formed signature codes, no repeated type within a section) and
// builds the three files.
GeneratedLists GenerateDeviceLists(std::istream& source);

} // namespace quarvin
