// The erasable memory families through the in-process virtual box: line time
// and host CPU time of Read, Blank, Erase, Programe and Verify on a W27E512, an
// Am29F040B and an AT28C256, and the device sum beside an independent sum of
// the chip's cells. Prints "name value unit" lines.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <string>

#include "BenchMeasure.h"
#include "BenchPlatform.h"
#include "families/eeprom28c/E28Dialog.h"
#include "families/flash29f/F29Dialog.h"
#include "families/w27e/W27eDialog.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace {

using namespace quarvin;

using Docs = bench::HexWindowDocs;

using bench::CpuSeconds;
using bench::Print;

template <class Dialog>
void Run(int subType, const char* label, const char* sumButton) {
    bench::BenchPlatform bp;
    LinkState link;
    Docs docs;
    SelectionState selection;
    selection.subType = subType;
    DeviceContext ctx{link, bp.platform, docs, selection, nullptr};
    auto box = std::make_shared<sim::Box>();
    auto chip = sim::OfferForSubType(Dialog::kFormClass, subType)->make();
    box->insert(chip);
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    link.connected = 1;
    Dialog dlg(ctx);
    dlg.Start();
    const auto size = static_cast<std::uint32_t>(chip->memory().size());
    std::mt19937 gen(7);
    std::generate(docs.buf.data(), docs.buf.data() + size, [&] { return static_cast<std::uint8_t>(gen()); });

    const std::pair<const char*, const char*> ops[] = {
        {"erase", "Erase"}, {"blank", "Blank"}, {"programe", "Write"}, {"verify", "Verify"}, {"read", "ReadButton"},
        {"sum", sumButton},
    };
    for (const auto& [name, button] : ops) {
        const double line0 = box->clock().nowSeconds();
        const std::uint64_t out0 = box->clock().bytesToBox(), in0 = box->clock().bytesToHost();
        const double cpu0 = CpuSeconds();
        dlg.click(button);
        const double cpu = CpuSeconds() - cpu0;
        const double line = box->clock().nowSeconds() - line0;
        const std::string base = std::string(label) + "_" + name;
        Print(base + "_line_time", line, "s");
        Print(base + "_host_cpu", cpu, "s");
        Print(base + "_cpu_share", 100.0 * cpu / line, "%");
        if (std::string(name) == "read") {
            const double stream = static_cast<double>((box->clock().bytesToBox() - out0) +
                                                      (box->clock().bytesToHost() - in0)) *
                                  static_cast<double>(sim::LineClock::CharPs) * 1e-12;
            Print(base + "_line_over_stream", line / stream, "ratio");
        }
        if (std::string(name) == "sum") {
            // The device sum adds every byte the box reads: the chip's own cells.
            Print(base + "_equals_chip_sum", dlg.control("Message").text().find(
                                                 [&] {
                                                     char hex[16];
                                                     std::snprintf(hex, sizeof hex, "%08x", chip->checksum());
                                                     return std::string(hex);
                                                 }()) != std::string::npos,
                  "bool");
        }
        std::fprintf(stderr, "%s: %s\n", base.c_str(), dlg.control("Message").text().c_str());
    }
}

} // namespace

int main() {
    Run<W27eDialog>(1, "w27e512", "CheckSum");
    Run<F29Dialog>(5, "am29f040b", "CheckSum");
    Run<E28Dialog>(1, "at28c256", "Button2");
    return 0;
}
