// The 29EE page-write flash family through the in-process virtual box: line time
// and host CPU time of Read, Blank, Erase, Programe and Verify on an SST29EE010
// and a W29C040 (whole chip, random data, reading ahead as the program does on
// the virtual box), Read's line time beside its own command stream, and the device sum beside an independent sum of the cells.
// Prints "name value unit" lines.
#include <algorithm>
#include <random>
#include <string>

#include "BenchMeasure.h"
#include "families/flash29ee/EE29Dialog.h"
#include "families/flash29ee/EE29Operations.h"
#include "link/FastLinkSettings.h"

namespace {

using namespace quarvin;

void Run(int subType, const std::string& label) {
    bench::ChipBench b(EE29Dialog::kFormClass, subType);
    // The window the program reads ahead with on the virtual box.
    b.link.readAheadWindow = DefaultReadAheadWindow;
    const EE29Row& row = kEE29Rows[static_cast<std::size_t>(subType)];
    AddressFields fields{0, 0, row.lastAddress};
    std::mt19937 gen(7);
    std::generate(b.buffer->data(), b.buffer->data() + row.lastAddress + 1,
                  [&] { return static_cast<std::uint8_t>(gen()); });
    const EE29Job job{b.link, row, *b.buffer, fields, b.hooks};
    // Read goes into a buffer of its own, so that Verify still compares the data.
    auto readBack = std::make_unique<MainBuffer>();
    const EE29Job readJob{b.link, row, *readBack, fields, b.hooks};
    bench::MeasureAll(*b.box, label,
                      {{"erase", [&] { return EraseEE29(job); }},
                       {"blank", [&] { return BlankCheckEE29(job); }},
                       {"programe", [&] { return ProgramEE29(job, 0); }},
                       {"verify", [&] { return VerifyEE29(job); }},
                       {"read", [&] { return ReadEE29(readJob); }}});
    const OperationResult sum = SumEE29(job);
    bench::Print(label + "_sum_equals_chip_sum", sum.value == b.chip->checksum() ? 1 : 0, "bool");
    bench::Print(label + "_read_equals_chip",
                 std::equal(b.chip->memory().begin(), b.chip->memory().end(), readBack->data()) ? 1 : 0, "bool");
}

} // namespace

int main() {
    Run(4, "sst29ee010");
    Run(6, "w29c040");
    return 0;
}
