// The bytes every EPROM operation sends, compared with golden files recorded from
// the virtual box. The dialog is driven only through its form (fields, buttons),
// so the files pin down the stream whatever the code behind the form looks like.
// QUARVIN_UPDATE_GOLDEN=1 rewrites the files instead of comparing.
#include <gtest/gtest.h>

#include <sstream>

#include "FamilyRig.h"
#include "GoldenWire.h"
#include "families/uv_eprom/UvEpromDialog.h"

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

} // namespace
} // namespace quarvin::test
