// EPROM operations through the in-process virtual box: the line time the box's
// clock gives each operation beside the host CPU time it took here. Prints
// "name value unit" lines.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "BenchMeasure.h"
#include "BenchPlatform.h"
#include "families/uv_eprom/UvEpromDialog.h"
#include "link/commands/LinkOps.h"
#include "sim/Box.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/SimFamily.h"

namespace {

using namespace quarvin;

using Docs = bench::HexWindowDocs;

using bench::CpuSeconds;
using bench::Print;

void Run(int subType, const char* label) {
    bench::BenchPlatform bp;
    Platform& platform = bp.platform;
    LinkState link;
    Docs docs;
    SelectionState selection;
    selection.subType = subType;
    DeviceContext ctx{link, platform, docs, selection, nullptr};

    auto box = std::make_shared<sim::Box>();
    auto chip = sim::OfferForSubType(UvEpromDialog::kFormClass, subType)->make();
    box->insert(chip);
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    link.connected = 1;

    UvEpromDialog dlg(ctx);
    dlg.Start();
    const auto size = static_cast<std::uint32_t>(chip->memory().size());
    std::mt19937 gen(7);
    std::generate(docs.buf.data(), docs.buf.data() + size, [&] { return static_cast<std::uint8_t>(gen()); });

    struct Op {
        const char* name;
        std::function<void()> run;
    } ops[] = {
        {"blank", [&] { dlg.BlankClick(); }},
        {"programe", [&] { dlg.WriteClick(); }},
        {"verify", [&] { dlg.VerifyClick(); }},
        {"read", [&] { dlg.ReadClick(); }},
    };
    for (const Op& op : ops) {
        const double line0 = box->clock().nowSeconds();
        const std::uint64_t out0 = box->clock().bytesToBox(), in0 = box->clock().bytesToHost();
        const double cpu0 = CpuSeconds();
        op.run();
        const double cpu = CpuSeconds() - cpu0;
        const double line = box->clock().nowSeconds() - line0;
        const std::string base = std::string(label) + "_" + op.name;
        Print(base + "_line_time", line, "s");
        Print(base + "_host_cpu", cpu, "s");
        Print(base + "_cpu_share", 100.0 * cpu / line, "%");
        if (std::string(op.name) == "read") {
            // What the bytes themselves cost on the line: one character each way.
            const double stream = static_cast<double>((box->clock().bytesToBox() - out0) +
                                                      (box->clock().bytesToHost() - in0)) *
                                  static_cast<double>(sim::LineClock::CharPs) * 1e-12;
            Print(base + "_stream_cost", stream, "s");
            Print(base + "_line_over_stream", line / stream, "ratio");
        }
        std::fprintf(stderr, "%s: %s\n", base.c_str(), dlg.control("Message").text().c_str());
    }
}

} // namespace

int main() {
    Run(14, "27c512");
    Run(19, "27080");
    return 0;
}
