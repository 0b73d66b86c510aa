// Feeds arbitrary text to the logic IC vector compiler and checks that a source
// it accepts gives a library the tester's reader takes whole, with one entry per
// compiled IC and every vector inside the file; a refused source names a line.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "families/logic_ic/IcLibrary.h"
#include "icvec/IcVecCompiler.h"

using namespace quarvin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string source(reinterpret_cast<const char*>(data), size);
    const icvec::CompileResult r = icvec::CompileIcVectors(source, "fuzz.vec");
    if (!r.ok()) {
        for (const std::string& e : r.errors)
            if (e.rfind("fuzz.vec:", 0) != 0) std::abort();
        return 0;
    }
    const IcLibrary lib = IcLibrary::Parse(r.library);
    if (lib.entries().size() != r.ics.size()) std::abort();
    for (const IcEntry& e : lib.entries())
        if (std::size_t{e.offset} + kIcHeaderSize + std::size_t{kIcVectorSize} * e.count > lib.size()) std::abort();
    for (const icvec::CompiledIc& ic : r.ics)
        if (ic.vectors > icvec::kMaxVectors || ic.lineSeconds > icvec::kMaxLineSeconds) std::abort();
    return 0;
}
