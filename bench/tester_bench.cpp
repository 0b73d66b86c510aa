// The static RAM and optocoupler testers through the in-process virtual box:
// Write, Verify, Read, Sum and Test of a whole HM62256 and DS1250Y, and the
// optocoupler test of a PC817. Line time, host CPU time and its share, the
// command stream's own cost; "name value unit" lines, the messages on stderr.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "BenchMeasure.h"
#include "families/opto/OptoPackages.h"
#include "families/opto/OptoTest.h"
#include "families/sram/SramOperations.h"
#include "families/sram/SramRows.h"
#include "link/FastLinkSettings.h"
#include "link/commands/LinkOps.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace {

using namespace quarvin;

// A box holding the named part, a link reading ahead as the program's link to
// the virtual box does, and the socket reset as the testers' start does.
struct PartBench {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    LinkState link;
    std::unique_ptr<MainBuffer> buffer = std::make_unique<MainBuffer>();
    OperationHooks hooks;

    explicit PartBench(const char* part) {
        box->insert(sim::FindOffer(part)->make());
        link.port = std::make_unique<sim::VirtualBoxTransport>(box);
        link.readAheadWindow = ReadAheadWindowFor(link.port->lineKind(), {});
        link.connected = 1;
        ResetSocket(link);
        SetVppLevel(link, 0);
        ShutDownSocket(link);
    }
};

void Sram(const char* part, std::size_t row, const char* label) {
    PartBench b(part);
    const SramRow& r = kSramRows[row];
    std::mt19937 gen(11);
    std::generate(b.buffer->data(), b.buffer->data() + r.lastAddress + 1, [&] { return static_cast<std::uint8_t>(gen()); });
    const AddressFields whole{0, 0, r.lastAddress};
    const SramJob job{b.link, r, *b.buffer, whole, b.hooks};
    bench::MeasureAll(*b.box, label,
                      {{"write", [&] { return WriteSram(job); }},
                       {"verify", [&] { return VerifySram(job); }},
                       {"read", [&] { return ReadSram(job); }},
                       {"sum", [&] { return SumSram(job); }},
                       {"test", [&] { return TestSram(job); }}});
}

void Opto(std::size_t package, const char* label) {
    const OptoPackage& p = OptoPackages()[package];
    PartBench b(p.chip);
    bench::MeasureAll(*b.box, label, {{"test", [&] { return TestOptocoupler(b.link, p); }}});
}

} // namespace

int main() {
    Sram("HM62256", 4, "sram_hm62256");
    Sram("DS1250Y", 8, "sram_ds1250y");
    Opto(0, "opto_pc817");
    return 0;
}
