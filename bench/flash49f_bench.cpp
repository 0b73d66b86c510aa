// The AT49F flash family through the in-process virtual box: line time, host
// CPU share and line time over the operation's own command stream of Read,
// Programe and Verify on an AT49F040 (whole chip, random data, reading ahead as
// the program does on the virtual box), and Programe's line time over the
// part's own byte program times (tBP, 50 us max a byte) plus the stream.
// Prints "name value unit" lines.
#include <algorithm>
#include <random>

#include "BenchMeasure.h"
#include "families/flash29f/F29Operations.h"
#include "families/flash49f/At49Rows.h"
#include "link/FastLinkSettings.h"

namespace {

using namespace quarvin;

constexpr double kByteProgramSeconds = 50e-6; // tBP max, AT49F040 data sheet

} // namespace

int main() {
    const F29Row& row = kAt49fRows[1];
    bench::ChipBench b(kAt49fFormClass, 1);
    b.link.readAheadWindow = DefaultReadAheadWindow;
    AddressFields fields{0, 0, row.lastAddress};
    std::mt19937 gen(7);
    std::generate(b.buffer->data(), b.buffer->data() + row.lastAddress + 1,
                  [&] { return static_cast<std::uint8_t>(gen()); });
    const F29Job job{b.link, row, *b.buffer, fields, b.hooks};
    auto readBack = std::make_unique<MainBuffer>();
    const F29Job readJob{b.link, row, *readBack, fields, b.hooks};

    OperationResult program;
    const bench::Measured p = bench::Measure(*b.box, [&] { program = ProgramF29(job); });
    bench::PrintMeasured("at49f040_programe", p);
    const double bytes = row.lastAddress + 1.0;
    bench::Print("at49f040_programe_over_program_time_and_stream",
                 p.lineSeconds / (bytes * kByteProgramSeconds + p.streamSeconds), "ratio");
    std::fprintf(stderr, "at49f040_programe: %s\n", program.message.c_str());
    bench::MeasureAll(*b.box, "at49f040",
                      {{"verify", [&] { return VerifyF29(job); }}, {"read", [&] { return ReadF29(readJob); }}});
    bench::Print("at49f040_read_equals_chip",
                 std::equal(b.chip->memory().begin(), b.chip->memory().end(), readBack->data()) ? 1 : 0, "bool");
    return 0;
}
