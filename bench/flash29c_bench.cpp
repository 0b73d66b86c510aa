// The AT29C page-write flash families through the in-process virtual box: line
// time, host CPU share and line time over the operation's own command stream of
// Read, Programe and Verify on an AT29C256 and an AT29C040A (whole chip, random
// data, reading ahead as the program does on the virtual box), and Programe's
// line time over the part's own program cycles (10 ms a page) plus the stream
// without the page waits. Prints "name value unit" lines.
#include <algorithm>
#include <random>
#include <string>

#include "BenchMeasure.h"
#include "families/flash29c/At29Operations.h"
#include "link/FastLinkSettings.h"

namespace {

using namespace quarvin;

constexpr double kProgramCycleSeconds = 0.010; // tWC of the AT29C data sheets

void Run(const char* dialogClass, const At29Row& row, const std::string& label) {
    bench::ChipBench b(dialogClass, 1);
    b.link.readAheadWindow = DefaultReadAheadWindow;
    AddressFields fields{0, 0, row.lastAddress};
    std::mt19937 gen(7);
    std::generate(b.buffer->data(), b.buffer->data() + row.lastAddress + 1,
                  [&] { return static_cast<std::uint8_t>(gen()); });
    const At29Job job{b.link, row, *b.buffer, fields, b.hooks};
    auto readBack = std::make_unique<MainBuffer>();
    const At29Job readJob{b.link, row, *readBack, fields, b.hooks};

    OperationResult program;
    const bench::Measured p = bench::Measure(*b.box, [&] { program = ProgramAt29(job, 0); });
    bench::PrintMeasured(label + "_programe", p);
    // Page 0 is written twice: once back by the data protection off, once with the data.
    const double pages = static_cast<double>(row.lastAddress + 1) / row.pageSize + 1;
    const double charSeconds = static_cast<double>(sim::LineClock::CharPs) * 1e-12;
    const double waits = pages * job.timing.pageWriteTicks * charSeconds;
    bench::Print(label + "_programe_over_cycles_and_stream",
                 p.lineSeconds / (pages * kProgramCycleSeconds + p.streamSeconds - waits), "ratio");
    std::fprintf(stderr, "%s_programe: %s\n", label.c_str(), program.message.c_str());
    bench::MeasureAll(*b.box, label,
                      {{"verify", [&] { return VerifyAt29(job); }}, {"read", [&] { return ReadAt29(readJob); }}});
    bench::Print(label + "_read_equals_chip",
                 std::equal(b.chip->memory().begin(), b.chip->memory().end(), readBack->data()) ? 1 : 0, "bool");
}

} // namespace

int main() {
    Run(kAt29c256FormClass, kAt29c256Rows[1], "at29c256");
    Run(kAt29cxFormClass, kAt29cxRows[1], "at29c040a");
    return 0;
}
