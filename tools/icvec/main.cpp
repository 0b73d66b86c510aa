// quarvin-icvec [-v] SOURCE.vec OUT.LIB: compiles a logic IC vector source into
// the tester's library file. Errors go to stderr as FILE:LINE: text; nothing is
// written then. -v lists each IC with its vectors and estimated line time.
// quarvin-icvec --list SOURCE.vec...: writes the list of the sources' types in
// Markdown to stdout (data/ictest/LIST.md); each source's name gives its library
// (ttl74.vec: TTL74.LIB).
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "IcList.h"
#include "IcVecCompiler.h"
#include "families/logic_ic/IcLibrary.h"

namespace {

std::optional<std::string> ReadSource(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The class whose library file the source is named for: "cmos40.vec" is CMOS40.LIB's.
std::optional<int> ClassOfSource(const std::string& path) {
    std::string stem = std::filesystem::path(path).stem().string();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto& classes = quarvin::IcClasses();
    for (std::size_t i = 0; i < classes.size(); ++i)
        if (stem + ".LIB" == classes[i].fileName) return static_cast<int>(i);
    return std::nullopt;
}

int List(int count, char** paths) {
    std::vector<quarvin::icvec::ListedLibrary> libraries;
    for (int i = 0; i < count; ++i) {
        const auto cls = ClassOfSource(paths[i]);
        const auto text = ReadSource(paths[i]);
        if (!cls || !text) {
            std::cerr << "quarvin-icvec: " << (text ? "no library is named like " : "cannot read ") << paths[i] << '\n';
            return 1;
        }
        auto compiled = quarvin::icvec::CompileIcVectors(*text, paths[i]);
        for (const std::string& e : compiled.errors) std::cerr << e << '\n';
        if (!compiled.ok()) return 1;
        libraries.push_back({std::filesystem::path(paths[i]).filename().string(), *cls, std::move(compiled)});
    }
    std::cout << quarvin::icvec::IcListMarkdown(libraries);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--list") return List(argc - 2, argv + 2);
    const bool verbose = argc == 4 && std::string(argv[1]) == "-v";
    if (verbose) ++argv, --argc;
    if (argc != 3) {
        std::cerr << "Usage: quarvin-icvec [-v] SOURCE.vec OUT.LIB\n"
                     "       quarvin-icvec --list SOURCE.vec...\n"
                     "  e.g. quarvin-icvec data/ictest/ttl74.vec data/TTL74.LIB\n";
        return 2;
    }
    const auto text = ReadSource(argv[1]);
    if (!text) {
        std::cerr << "quarvin-icvec: cannot read " << argv[1] << '\n';
        return 1;
    }
    const auto result = quarvin::icvec::CompileIcVectors(*text, argv[1]);
    for (const std::string& e : result.errors) std::cerr << e << '\n';
    if (!result.ok()) return 1;
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(result.library.data()), static_cast<std::streamsize>(result.library.size()));
    if (!out.flush()) {
        std::cerr << "quarvin-icvec: cannot write " << argv[2] << '\n';
        return 1;
    }
    if (verbose)
        for (const auto& ic : result.ics)
            std::printf("%5d %-12s %2d pins %3d vectors %7.3f s\n", ic.number, ic.name.c_str(), ic.pins, ic.vectors,
                        ic.lineSeconds);
    std::cout << argv[2] << ": " << result.ics.size() << " ICs, " << result.library.size() << " bytes\n";
    return 0;
}
