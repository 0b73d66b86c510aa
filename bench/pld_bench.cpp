// GAL16V8 and GAL22V10 operations through the in-process virtual box: line
// time, host CPU time and its share of the line time, and the command stream's
// own cost. Prints "name value unit" lines; the operations' messages go to stderr.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "BenchMeasure.h"
#include "families/framework/PldSteps.h"
#include "families/gal/GalDialog.h"
#include "families/p22v10/P22v10Dialog.h"
#include "link/commands/LinkOps.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace {

using namespace quarvin;

// The socket prepared for edit mode and a random fuse map in the buffer.
struct Bench : bench::ChipBench {
    Bench(const char* dialogClass, int subType) : ChipBench(dialogClass, subType) {
        PldPrepareSocket(link, 12000);
        std::mt19937 gen(7);
        std::generate(buffer->data(), buffer->data() + kPldFilledFuses, [&] { return RowBitChar((gen() & 1) != 0); });
    }
};

void Gal(int subType, const char* label) {
    Bench b(GalDialog::kFormClass, subType);
    const GalJob job{b.link, kGalRows[static_cast<std::size_t>(subType)], *b.buffer, b.hooks};
    bench::MeasureAll(*b.box, label,
           {{"blank", [&] { return BlankGal(job); }},
            {"programe", [&] { return ProgramGal(job); }},
            {"verify", [&] { return VerifyGal(job); }},
            {"read", [&] { return ReadGal(job); }}});
}

void P22v10(int subType, const char* label) {
    Bench b(P22v10Dialog::kFormClass, subType);
    const P22v10Job job{b.link, kP22v10Rows[static_cast<std::size_t>(subType)], *b.buffer, b.hooks};
    bench::MeasureAll(*b.box, label,
           {{"blank", [&] { return BlankP22v10(job); }},
            {"programe", [&] { return ProgramP22v10(job); }},
            {"verify", [&] { return VerifyP22v10(job); }},
            {"read", [&] { return ReadP22v10(job); }}});
}

} // namespace

int main() {
    Gal(3, "gal16v8b");
    P22v10(1, "gal22v10");
    return 0;
}
