// quarvin-icvec SOURCE.vec OUT.LIB: compiles a logic IC vector source into the
// tester's library file. Errors go to stderr as FILE:LINE: text; nothing is
// written then.
#include <fstream>
#include <iostream>
#include <sstream>

#include "IcVecCompiler.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Usage: quarvin-icvec SOURCE.vec OUT.LIB\n"
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
    std::cout << argv[2] << ": " << result.ics.size() << " ICs, " << result.library.size() << " bytes\n";
    return 0;
}
