// The microcontroller families through the in-process virtual box, run by their
// dialogs' buttons as a user would: Blank, Programe, Verify and Read of a random
// image on a blank AT89C52, AT89C55, AT89S52, AT89C2051, PIC16F877, PIC16F877A and AT90S8515. Prints the line time,
// the host CPU time and its share of the line time, and the command stream's own
// cost as "name value unit" lines; the operations' messages go to stderr.
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "BenchMeasure.h"
#include "BenchPlatform.h"
#include "families/avr90s/Avr90sDialog.h"
#include "families/mcu2051/P2051Dialog.h"
#include "families/mcu89c5x/P89c5xDialog.h"
#include "families/mcu89s5x/P89s5xDialog.h"
#include "families/p16f87xa/P16f87xaDialog.h"
#include "families/pic16c8x/Pic16Dialog.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace {

using namespace quarvin;

using Docs = bench::HexWindowDocs;

template <class Dialog>
void Run(int subType, const std::string& label, std::array<std::uint8_t, 3> signature = {},
         const char* readButton = "Read1") {
    bench::BenchPlatform bp;
    LinkState link;
    link.prompts = &bp.prompts;
    auto docs = std::make_unique<Docs>();
    SelectionState selection;
    selection.subType = subType;
    selection.expectedSignature = signature; // as the device list gives it
    DeviceContext ctx{link, bp.platform, *docs, selection, nullptr};

    auto box = std::make_shared<sim::Box>();
    auto chip = sim::OfferForSubType(Dialog::kFormClass, subType)->make();
    box->insert(chip);
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    link.connected = 1;

    Dialog dlg(ctx);
    dlg.Start();
    const auto size = static_cast<std::uint32_t>(chip->memory().size());
    std::mt19937 gen(7);
    std::generate(docs->buf.data(), docs->buf.data() + size, [&] { return static_cast<std::uint8_t>(gen()); });

    const std::pair<const char*, const char*> buttons[] = {
        {"blank", "Blank"}, {"programe", "Write"}, {"verify", "Verify"}, {"read", readButton}};
    for (const auto& [name, button] : buttons) {
        const bench::Measured m = bench::Measure(*box, [&] { dlg.click(button); });
        const std::string base = label + "_" + name;
        bench::PrintMeasured(base, m);
        std::fprintf(stderr, "%s: %s\n", base.c_str(), dlg.control("Msg").text().c_str());
    }
}

} // namespace

int main() {
    Run<P89c5xDialog>(3, "at89c52", {0x1E, 0x52, 0xFF});
    Run<P89c5xDialog>(5, "at89c55", {0x1E, 0x55, 0xFF});
    Run<P89s5xDialog>(2, "at89s52", {0x1E, 0x52, 0x06});
    Run<P2051Dialog>(2, "at89c2051");
    Run<Pic16Dialog>(10, "pic16f877", {}, "ReadToFile");
    Run<P16f87xaDialog>(4, "pic16f877a", {}, "ReadToFile");
    Run<Avr90sDialog>(4, "at90s8515");
    return 0;
}
