// The bytes the serial EEPROM operations send in their edge cases, compared
// with golden files recorded from the virtual box. The dialogs are driven only
// through their forms. Long streams keep their length and a window at the start
// and at the end, where the edge case lies.
// QUARVIN_UPDATE_GOLDEN=1 rewrites the files instead of comparing.
#include <gtest/gtest.h>

#include <algorithm>

#include "FamilyRig.h"
#include "GoldenWire.h"
#include "families/i2c_eeprom/I2cDialog.h"
#include "families/microwire_eeprom/MicrowireDialog.h"

namespace quarvin::test {
namespace {

enum class Family { I2c, Microwire };

struct Window {
    std::size_t head = 0, tail = 0; // both 0: the whole stream
};

struct Case {
    const char* name;
    Family family;
    int row;
    int speed; // "Pro time" item index
    bool chipHoldsBuffer;
    std::vector<std::pair<std::uint32_t, std::uint8_t>> chipBytes;   // then these cells
    std::vector<std::pair<std::uint32_t, std::uint8_t>> bufferBytes; // over the pattern
    // Buttons in order; "+Name" ticks and "-Name" clears a check box; "start"
    // runs the start operation again.
    std::vector<const char*> clicks;
    Window window;
};

const Case kCases[] = {
    // 24Cxx
    {"i2c_read_24c01a", Family::I2c, 1, 2, true, {}, {}, {"ReadButton"}, {}},
    {"i2c_read_24c16_last_byte_by_ae_ff", Family::I2c, 5, 2, true, {}, {}, {"ReadButton"}, {0, 160}},
    {"i2c_read_24c32_two_address_bytes", Family::I2c, 6, 2, true, {}, {}, {"ReadButton"}, {0, 160}},
    {"i2c_program_x24c01_no_device_address", Family::I2c, 11, 2, false, {}, {}, {"Write"}, {400, 6000}},
    {"i2c_program_24c02_pro_time_50", Family::I2c, 2, 5, false, {}, {}, {"Write"}, {1200, 0}},
    {"i2c_verify_24c02_mismatch_at_40", Family::I2c, 2, 2, true, {{0x40, 0x00}}, {}, {"Verify"}, {}},
    {"i2c_start_and_exit_24c256", Family::I2c, 9, 2, false, {}, {}, {"start", "CancelBtn"}, {}},
    // 93Cxx
    {"mw_read_93c46_x8_last_location", Family::Microwire, 1, 2, true, {}, {}, {"ReadButton"}, {0, 200}},
    {"mw_program_93c46_x16_ewen_and_word_3", Family::Microwire, 4, 0, false, {}, {{6, 0xA5}, {7, 0x5A}}, {"Write"},
     {1100, 0}},
    {"mw_program_93c46_x8_pro_time_50", Family::Microwire, 1, 5, false, {}, {}, {"Write"}, {5300, 0}},
    {"mw_blank_93c46_x8_last_location_fe", Family::Microwire, 1, 2, false, {{0x7F, 0xFE}}, {}, {"Blank"}, {0, 200}},
    {"mw_erase_93c66_x16", Family::Microwire, 6, 2, true, {}, {}, {"Erase"}, {700, 40}},
    {"mw_auto_93c46_x8_blank_fails", Family::Microwire, 1, 2, false, {{0x10, 0x00}}, {},
     {"-CheckBox1", "+CheckBox2", "+CheckBox3", "+CheckBox4", "Button1"}, {}},
    {"mw_start_and_exit_93c86_x16", Family::Microwire, 9, 2, false, {}, {}, {"start", "CancelBtn"}, {}},
};

void FillBuffer(MainBuffer& buf) {
    for (std::uint32_t i = 0; i < 0x10000; ++i) buf[i] = static_cast<std::uint8_t>((i * 7 + (i >> 8)) & 0xFF);
}

template <class Dialog>
Recording Record(const Case& c) {
    DialogRig<Dialog> rig(c.row);
    FillBuffer(rig.docs.buf);
    for (const auto& [a, v] : c.bufferBytes) rig.docs.buf[a] = v;
    auto tap = std::make_shared<Tap>();
    auto box = std::make_shared<sim::Box>();
    auto chip = sim::OfferForSubType(Dialog::kFormClass, c.row)->make();
    auto& cells = chip->memory();
    if (c.chipHoldsBuffer) std::copy(rig.docs.buf.data(), rig.docs.buf.data() + cells.size(), cells.begin());
    for (const auto& [a, v] : c.chipBytes) cells[a] = v;
    box->insert(chip);
    rig.connect(std::make_unique<TappedTransport>(std::make_unique<sim::VirtualBoxTransport>(box), tap));
    rig.dlg.Start();
    rig.dlg.control("Speed").setItemIndex(c.speed);
    tap->bytes.clear();
    for (const char* click : c.clicks) {
        const std::string what = click;
        if (what == "start") rig.dlg.Start();
        else if (what[0] == '+' || what[0] == '-') rig.dlg.control(what.substr(1)).setChecked(what[0] == '+');
        else rig.dlg.click(what);
    }
    return {tap->bytes, rig.dlg.control("Msg").text()};
}

// The message, the length, then the bytes (or the two windows), 32 a line.
std::string Text(const Recording& r, Window w) {
    std::string text = "message: " + r.message + "\nbytes: " + std::to_string(r.bytes.size()) + "\n";
    if (w.head == 0 && w.tail == 0) return text + HexLines(r.bytes);
    const std::size_t head = std::min(w.head, r.bytes.size());
    const std::size_t tail = std::min(w.tail, r.bytes.size());
    if (head > 0) text += "first " + std::to_string(head) + ":\n" + HexLines(r.bytes.data(), head);
    if (tail > 0) text += "last " + std::to_string(tail) + ":\n" + HexLines(r.bytes.data() + r.bytes.size() - tail, tail);
    return text;
}

TEST(SerialEepromGoldenWire, EveryEdgeCaseSendsTheRecordedStream) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const Recording r = c.family == Family::I2c ? Record<I2cDialog>(c) : Record<MicrowireDialog>(c);
        EXPECT_TRUE(MatchesGolden(c.name, Text(r, c.window)));
    }
}

} // namespace
} // namespace quarvin::test
