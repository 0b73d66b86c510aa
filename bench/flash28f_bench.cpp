// The 28F bulk-erase flash through the in-process virtual box: line time and
// host CPU time of Erase, Blank, Programe, Verify and Read of a whole Am28F010
// (a used part first). Prints "name value unit" lines; Read's line time beside
// its command stream's own cost is its "line_over_stream".
#include <algorithm>
#include <random>

#include "BenchMeasure.h"
#include "families/flash28f/F28Dialog.h"
#include "link/FastLinkSettings.h"

int main() {
    using namespace quarvin;
    constexpr int kRow010 = 4;
    bench::ChipBench b(F28Dialog::kFormClass, kRow010);
    b.box->remove();
    b.chip = sim::FindOffer("Am28F010")->make();
    b.box->insert(b.chip);
    // The program reads ahead on the virtual box, as on any link that keeps up.
    b.link.readAheadWindow = DefaultReadAheadWindow;
    SetVppLevel(b.link, 0);
    ShutDownSocket(b.link);

    const F28Row& row = kF28Rows[kRow010];
    const std::uint32_t size = row.lastAddress + 1;
    std::mt19937 gen(28);
    std::generate(b.chip->memory().begin(), b.chip->memory().end(), [&] { return static_cast<std::uint8_t>(gen()); });
    std::generate(b.buffer->data(), b.buffer->data() + size, [&] { return static_cast<std::uint8_t>(gen()); });
    const F28Job job{b.link, row, *b.buffer, {0, 0, row.lastAddress}, b.hooks};

    bench::MeasureAll(*b.box, "am28f010",
                      {{"erase", [&] { return EraseF28(job); }},
                       {"blank", [&] { return BlankCheckF28(job); }},
                       {"programe", [&] { return ProgramF28(job); }},
                       {"verify", [&] { return VerifyF28(job); }},
                       {"read", [&] { return ReadF28(job); }}});
    const bool same = std::equal(b.chip->memory().begin(), b.chip->memory().end(), b.buffer->data());
    bench::Print("am28f010_read_equals_chip", same, "bool");
    return 0;
}
