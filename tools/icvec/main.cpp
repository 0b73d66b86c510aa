// quarvin-icvec [-v] SOURCE.vec OUT.LIB: compiles a logic IC vector source into
// the tester's library file. Errors go to stderr as FILE:LINE: text; nothing is
// written then. -v lists each IC with its vectors and estimated line time.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "IcVecCompiler.h"

int main(int argc, char** argv) {
    const bool verbose = argc == 4 && std::string(argv[1]) == "-v";
    if (verbose) ++argv, --argc;
    if (argc != 3) {
        std::cerr << "Usage: quarvin-icvec [-v] SOURCE.vec OUT.LIB\n"
                     "  e.g. quarvin-icvec data/ictest/ttl74.vec data/TTL74.LIB\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "quarvin-icvec: cannot read " << argv[1] << '\n';
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const auto result = quarvin::icvec::CompileIcVectors(text.str(), argv[1]);
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
