// The bytes the parallel memory families' operations send, compared with golden
// files recorded from the virtual box. The dialogs are driven only through their
// forms (fields, buttons), so the files pin down the stream whatever the code
// behind the form looks like. QUARVIN_UPDATE_GOLDEN=1 rewrites the files instead.
#include <gtest/gtest.h>

#include <deque>
#include <sstream>

#include "FamilyRig.h"
#include "GoldenRig.h"
#include "families/eeprom2816/P2816Dialog.h"
#include "families/eeprom28c/E28Dialog.h"
#include "families/flash28f/F28Dialog.h"
#include "families/flash29c/At29Dialog.h"
#include "families/flash29ee/EE29Dialog.h"
#include "families/flash29f/F29Dialog.h"
#include "families/flash49f/At49Family.h"
#include "families/mx29f/Mx29fFamily.h"
#include "families/sram/SramDialog.h"
#include "families/uv_eprom/UvEpromDialog.h"
#include "families/w27e/W27eDialog.h"

namespace quarvin::test {
namespace {

struct Case {
    const char* name;
    int row;
    const char* fields;  // "bufferStart deviceStart length", empty: as Start leaves them
    int proTime;         // RadioGroup1 index
    int mode;            // RadioGroup2 index
    std::uint32_t usedAt; // a programmed cell in the chip, 0xFFFFFFFF: blank chip
    std::uint32_t noProgramAt;
    bool chipHoldsBuffer; // the chip starts with the buffer's pattern
    std::vector<const char*> clicks; // buttons, in order; "start" runs the start operation again
};

constexpr std::uint32_t kNone = 0xFFFFFFFF;

const Case kCases[] = {
    {"read_2716_whole", 1, "0 0 7ff", 0, 0, 0x123, kNone, false, {"ReadButton"}},
    {"read_27c256_length_f", 13, "100 200 f", 0, 0, 0x5, kNone, false, {"ReadButton"}},
    {"read_27080_length_1ff", 19, "0 0 1ff", 0, 0, kNone, kNone, false, {"ReadButton"}},
    {"blank_27c256_blank", 13, "", 0, 0, kNone, kNone, false, {"Blank"}},
    {"blank_27c256_used", 13, "", 0, 0, 0x1234, kNone, false, {"Blank"}},
    {"blank_27010_blank", 16, "", 0, 0, kNone, kNone, false, {"Blank"}},
    {"program_2716_pro_time_3_from_700", 1, "700 700 7ff", 2, 0, kNone, kNone, false, {"Write"}},
    {"program_st27256_pro_time_2", 20, "0 0 ff", 1, 0, kNone, kNone, false, {"Write"}},
    {"program_2764_verify_after_all", 7, "0 0 1ff", 0, 1, kNone, 0x10, false, {"Write"}},
    {"program_27c256_check_fails", 13, "0 0 1ff", 4, 0, kNone, 0x20, false, {"Write"}},
    {"program_27080_top_page", 19, "100 fff00 ff", 0, 0, kNone, kNone, false, {"Write"}},
    {"program_27040_no_read_back", 18, "0 7ff80 ff", 0, 0, kNone, kNone, false, {"Write"}},
    {"program_placeholder_row", 0, "", 0, 0, kNone, kNone, false, {"Write"}},
    {"verify_27c256_after_program", 13, "0 100 2ff", 0, 0, kNone, kNone, false, {"Write", "Verify"}},
    {"verify_27c256_mismatch", 13, "0 0 7fff", 0, 0, 0x1234, kNone, true, {"Verify"}},
    {"sum_27c512", 14, "", 0, 0, 0x8001, kNone, false, {"CheckSum"}},
    {"sum_2732", 4, "", 0, 0, 0x10, kNone, false, {"CheckSum"}},
    {"auto_2716_three_steps", 2, "0 0 7ff", 0, 0, kNone, kNone, false, {"auto3"}},
    {"auto_27c256_blank_fails", 13, "0 0 ff", 0, 0, 0x40, kNone, false, {"Button1"}},
    {"start_and_exit_27c512", 14, "", 0, 0, kNone, kNone, false, {"start", "CancelBtn"}},
};

// The buffer holds a pattern that every row can take (bits only cleared).
void FillBuffer(MainBuffer& buf) {
    for (std::uint32_t i = 0; i < 0x200000; ++i) buf[i] = static_cast<std::uint8_t>((i * 7 + (i >> 8)) & 0xFF);
}

// The stream, and the Message the dialog ends with.
Recording Record(const Case& c) {
    DialogRig<UvEpromDialog> rig(c.row);
    FillBuffer(rig.docs.buf);
    auto tap = std::make_shared<Tap>();
    auto box = std::make_shared<sim::Box>();
    if (const sim::ChipOffer* part = sim::OfferForSubType(UvEpromDialog::kFormClass, c.row)) {
        auto chip = part->make();
        auto& cells = chip->memory();
        if (c.chipHoldsBuffer) std::copy(rig.docs.buf.data(), rig.docs.buf.data() + cells.size(), cells.begin());
        if (c.usedAt != kNone) cells[c.usedAt] = 0x5A;
        if (c.noProgramAt != kNone) chip->faults().noProgram.push_back({c.noProgramAt, c.noProgramAt});
        box->insert(chip);
    }
    rig.connect(std::make_unique<TappedTransport>(std::make_unique<sim::VirtualBoxTransport>(box), tap));
    rig.dlg.Start();
    if (*c.fields) {
        std::istringstream f(c.fields);
        std::string b, d, l;
        f >> b >> d >> l;
        rig.fields(b, d, l);
    }
    rig.dlg.control("RadioGroup1").setItemIndex(c.proTime);
    rig.dlg.control("RadioGroup2").setItemIndex(c.mode);
    tap->bytes.clear();
    for (const char* click : c.clicks) {
        const std::string what = click;
        if (what == "start") {
            rig.dlg.Start();
        } else if (what == "auto3") {
            rig.dlg.control("CheckBox4").setChecked(true);
            rig.dlg.click("Button1");
        } else {
            rig.dlg.click(what);
        }
    }
    return {tap->bytes, rig.msg()};
}

TEST(EpromGoldenWire, EveryOperationSendsTheRecordedStream) {
    // Line 1 is the message, then 32 bytes a line.
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(MatchesGolden(c.name, Record(c)));
    }
}

// What a run finds in the socket and the buffer before its first step.
enum class Setup {
    Pattern,      // a blank part, the buffer's first 8 KiB set to a fixed pattern
    EmptySocket,  // no part, the same pattern
    UsedF28,      // the pattern, and the part used at address 0 and holding the buffer's 1080..127f
    PartInBuffer, // the buffer's first 2 KiB a copy of the part
};

// One click after its fields ("bufferStart deviceStart length"), recorded in
// the golden file `name`; `tick` is an Auto step box ticked before it.
struct Step {
    const char* name;
    const char* fields;
    const char* click;
    const char* tick = nullptr;
};

struct GoldenRun;
using Recorder = std::vector<Recording> (*)(const GoldenRun&);

// Steps on one dialog and one part, in order: a later step sees what the
// earlier ones left in the part.
struct GoldenRun {
    Recorder record;
    int row;
    std::vector<Step> steps;
    Setup setup = Setup::Pattern;
};

template <class Dialog>
std::vector<Recording> Record(const GoldenRun& run) {
    TappedRig<Dialog> g(run.row);
    if (run.setup != Setup::PartInBuffer) g.fillPattern(0x2000);
    if (run.setup == Setup::UsedF28) {
        g.chip->memory()[0] = 0x00;
        std::copy_n(g.docs.buf.data() + 0x1080, 0x200, g.chip->memory().data() + 0x1080);
    }
    if (run.setup == Setup::EmptySocket) {
        g.connect(std::make_unique<TappedVirtualBox>(g.box, g.tap));
        g.dlg.Start();
    } else {
        g.start();
    }
    if (run.setup == Setup::PartInBuffer) std::copy_n(g.chip->memory().data(), 0x800, g.docs.buf.data());
    std::vector<Recording> out;
    for (const Step& s : run.steps) {
        if (s.tick) g.dlg.control(s.tick).setChecked(true);
        g.run({s.name, run.row, s.fields, s.click});
        out.push_back({*g.tap, g.msg()});
    }
    return out;
}

// Every operation of a flash family on one part, then its erase on an empty
// socket: a part's erase waits out the whole erase time, while on an empty socket
// the toggle bit stands still at once and the codes tell that no part answered.
template <class Dialog>
std::vector<GoldenRun> FlashRuns(const char* part, int row) {
    static std::deque<std::string> names; // the steps keep pointers into it
    const std::string p = part;
    for (const char* op : {"_read", "_blank", "_program_40", "_verify", "_sum", "_erase_empty"}) names.push_back(p + op);
    const auto name = [](std::size_t back) { return names[names.size() - back].c_str(); };
    return {{Record<Dialog>, row,
             {{name(6), "0 0 3ff", "ReadButton"}, {name(5), "0 0 7ff", "Blank"}, {name(4), "0 40 7f", "Write"},
              {name(3), "0 40 7f", "Verify"}, {name(2), "0 0 7ffff", "CheckSum"}}},
            {Record<Dialog>, row, {{name(1), "0 0 7ff", "Erase"}}, Setup::EmptySocket}};
}

std::vector<GoldenRun> FamilyRuns() {
    std::vector<GoldenRun> runs = {
        {Record<E28Dialog>, 1, {{"e28_256_program_1234", "1234 1234 40", "Write"}}},
        {Record<E28Dialog>, 8, {{"e28_64b_unprot", "0 0 3f", "Unprotect"}}},
        {Record<E28Dialog>, 6, {{"e28_040_protect", "0 0 ff", "Protect"}}},
        {Record<E28Dialog>, 8, {{"e28_64b_erase", "0 0 1fff", "Erase"}}},
        {Record<P2816Dialog>, 1,
         {{"p2816_28c16a_read", "0 0 7ff", "ReadButton"}, {"p2816_28c16a_blank", "0 0 7ff", "Blank"},
          {"p2816_28c16a_program_40", "1000 40 1f", "Write"}, {"p2816_28c16a_verify", "1000 40 1f", "Verify"},
          {"p2816_28c16a_sum", "0 0 7ff", "Button2"}, {"p2816_28c16a_erase", "0 0 7ff", "Erase"}}},
        {Record<EE29Dialog>, 4, {{"ee29_010_program_1234", "1234 1234 100", "Write"}}},
        {Record<EE29Dialog>, 1, {{"ee29_256_unprot", "0 0 7fff", "Unprotect"}}},
        {Record<EE29Dialog>, 6, {{"ee29_040_protect", "0 0 7ffff", "Protect"}}},
        {Record<EE29Dialog>, 3, {{"ee29_512_erase", "0 0 ffff", "Erase"}}},
        {Record<EE29Dialog>, 4, {{"ee29_010_verify_bad", "0 1ff0 1f", "Verify"}}},
        {Record<At29c256Dialog>, 1, {{"at29c256_read", "0 0 3ff", "ReadButton"}}},
        {Record<At29c256Dialog>, 1, {{"at29c256_id", "0 0 7fff", "MFG"}}},
        {Record<At29c256Dialog>, 1, {{"at29c256_blank", "0 0 7fff", "Blank"}}},
        {Record<At29c256Dialog>, 1, {{"at29c256_program_40", "0 40 7f", "Write"}}},
        {Record<At29c256Dialog>, 1, {{"at29c256_verify_bad", "0 0 ff", "Verify"}}},
        {Record<At29cxDialog>, 1, {{"at29c040a_erase", "0 0 7ffff", "Erase"}}},
        {Record<At29cxDialog>, 1, {{"at29c040a_protect", "0 0 7ffff", "Protect"}}},
        {Record<At29cxDialog>, 1, {{"at29c040a_unprot", "0 0 7ffff", "Unprotect"}}},
        {Record<At29cxDialog>, 1, {{"at29c040a_sum", "0 0 7ffff", "Button2"}}},
        {Record<F28Dialog>, 4, {{"f28_010_erase_used_byte_0", "0 0 1ffff", "Erase"}}, Setup::UsedF28},
        // An empty socket reads FF at address 0: one round, then the codes read FF,FF.
        {Record<F28Dialog>, 4, {{"f28_010_erase_empty", "0 0 1ffff", "Erase"}}, Setup::EmptySocket},
        {Record<F28Dialog>, 6, {{"f28_040_program_7ff00_length_1ff", "0 7ff00 1ff", "Write"}}, Setup::UsedF28},
        {Record<F28Dialog>, 4, {{"f28_010_verify_from_1080", "1080 1080 1ff", "Verify"}}, Setup::UsedF28},
        {Record<F28Dialog>, 1, {{"f28_256_read_length_ff", "0 0 ff", "ReadButton"}}, Setup::UsedF28},
        {Record<F28Dialog>, 1, {{"f28_256_blank", "0 0 7fff", "Blank"}}, Setup::UsedF28},
        {Record<F29Dialog>, 3, {{"f29_010_program_from_80", "0 80 ff", "Write"}}},
        {Record<F29Dialog>, 1, {{"f29_256_read_length_ff", "0 0 ff", "ReadButton"}}},
        // 12 V on pin 5 (RESET) for the erase of the boot-block parts with RESET only.
        {Record<F29Dialog>, 8, {{"f29_002t_erase", "0 0 3ffff", "Erase"}}},
        {Record<F29Dialog>, 9, {{"f29_002b_erase", "0 0 3ffff", "Erase"}}},
        {Record<F29Dialog>, 10, {{"f29_004t_erase", "0 0 7ffff", "Erase"}}},
        {Record<F29Dialog>, 5, {{"f29_040_unprot", "0 0 0", "UnProtectChip"}}},
        {Record<SramDialog>, 1, {{"sram_2k_write_7f0", "0 7f0 ff", "Write"}}, Setup::PartInBuffer},
        {Record<SramDialog>, 2, {{"sram_8k_verify_100_1ff", "100 100 1ff", "Verify"}}, Setup::PartInBuffer},
        {Record<SramDialog>, 1, {{"sram_2k_read_17f", "0 0 17f", "ReadButton"}}, Setup::PartInBuffer},
        {Record<SramDialog>, 8, {{"sram_512k_sum", "0 0 0", "CheckSum"}}, Setup::PartInBuffer},
        {Record<SramDialog>, 1, {{"sram_2k_test", "0 0 7ff", "Button3"}}, Setup::PartInBuffer},
        {Record<W27eDialog>, 1, {{"w27e512_erase", "0 0 ffff", "Erase"}}},
        {Record<W27eDialog>, 5, {{"w27e257_erase", "0 0 7fff", "Erase"}}},
        {Record<W27eDialog>, 5, {{"w27e257_program_from_100_then_sum", "0 100 1ff", "Write"}}},
        {Record<W27eDialog>, 2, {{"w27e010_auto_erase_blank_program", "0 0 ff", "Button1", "CheckBox1"}}},
    };
    // The AT49F040, the smallest bottom-boot and the largest top-boot of the
    // RESET parts, and the MX29F040.
    for (auto more : {FlashRuns<At49Dialog>("at49f040", 1), FlashRuns<At49Dialog>("at49f001", 2),
                      FlashRuns<At49Dialog>("at49f002t", 5), FlashRuns<Mx29fDialog>("mx29f040", 1)})
        runs.insert(runs.end(), more.begin(), more.end());
    return runs;
}

TEST(FamilyGoldenWire, EveryRunSendsTheRecordedStreams) {
    for (const GoldenRun& run : FamilyRuns()) {
        const std::vector<Recording> recorded = run.record(run);
        for (std::size_t i = 0; i < run.steps.size(); ++i) {
            SCOPED_TRACE(run.steps[i].name);
            EXPECT_TRUE(MatchesGolden(run.steps[i].name, recorded[i]));
        }
    }
}

} // namespace
} // namespace quarvin::test
