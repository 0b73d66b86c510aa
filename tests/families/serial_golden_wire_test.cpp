// The bytes the serial EEPROM operations send in their edge cases, compared
// with golden files recorded from the virtual box. The dialogs are driven only
// through their forms. Long streams keep their length and a window at the start
// and at the end, where the edge case lies.
// QUARVIN_UPDATE_GOLDEN=1 rewrites the files instead of comparing.
#include <gtest/gtest.h>

#include <algorithm>

#include "McuFormSteps.h"
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
    bool chipHoldsBuffer;
    std::vector<std::pair<std::uint32_t, std::uint8_t>> chipBytes;   // then these cells
    std::vector<std::pair<std::uint32_t, std::uint8_t>> bufferBytes; // over the pattern
    FormSteps steps; // "Speed=N" chooses the "Pro time" item
    Window window;
};

const Case kCases[] = {
    // 24Cxx
    {"i2c_read_24c01a", Family::I2c, 1, true, {}, {}, {"start", "Speed=2", "|", "ReadButton"}, {}},
    {"i2c_read_24c16_last_byte_by_ae_ff", Family::I2c, 5, true, {}, {}, {"start", "Speed=2", "|", "ReadButton"}, {0, 160}},
    {"i2c_read_24c32_two_address_bytes", Family::I2c, 6, true, {}, {}, {"start", "Speed=2", "|", "ReadButton"}, {0, 160}},
    {"i2c_program_x24c01_no_device_address", Family::I2c, 11, false, {}, {}, {"start", "Speed=2", "|", "Write"},
     {400, 6000}},
    {"i2c_program_24c02_pro_time_50", Family::I2c, 2, false, {}, {}, {"start", "Speed=5", "|", "Write"}, {1200, 0}},
    {"i2c_verify_24c02_mismatch_at_40", Family::I2c, 2, true, {{0x40, 0x00}}, {}, {"start", "Speed=2", "|", "Verify"}, {}},
    {"i2c_start_and_exit_24c256", Family::I2c, 9, false, {}, {}, {"start", "Speed=2", "|", "start", "CancelBtn"}, {}},
    // 93Cxx
    {"mw_read_93c46_x8_last_location", Family::Microwire, 1, true, {}, {}, {"start", "Speed=2", "|", "ReadButton"},
     {0, 200}},
    {"mw_program_93c46_x16_ewen_and_word_3", Family::Microwire, 4, false, {}, {{6, 0xA5}, {7, 0x5A}},
     {"start", "Speed=0", "|", "Write"}, {1100, 0}},
    {"mw_program_93c46_x8_pro_time_50", Family::Microwire, 1, false, {}, {}, {"start", "Speed=5", "|", "Write"},
     {5300, 0}},
    {"mw_blank_93c46_x8_last_location_fe", Family::Microwire, 1, false, {{0x7F, 0xFE}}, {},
     {"start", "Speed=2", "|", "Blank"}, {0, 200}},
    {"mw_erase_93c66_x16", Family::Microwire, 6, true, {}, {}, {"start", "Speed=2", "|", "Erase"}, {700, 40}},
    {"mw_auto_93c46_x8_blank_fails", Family::Microwire, 1, false, {{0x10, 0x00}}, {},
     {"start", "Speed=2", "|", "-CheckBox1", "+CheckBox2", "+CheckBox3", "+CheckBox4", "Button1"}, {}},
    {"mw_start_and_exit_93c86_x16", Family::Microwire, 9, false, {}, {}, {"start", "Speed=2", "|", "start", "CancelBtn"},
     {}},
};

void FillBuffer(MainBuffer& buf) {
    for (std::uint32_t i = 0; i < 0x10000; ++i) buf[i] = static_cast<std::uint8_t>((i * 7 + (i >> 8)) & 0xFF);
}

template <class Dialog>
Recording Record(const Case& c) {
    TappedRig<Dialog> rig(c.row);
    FillBuffer(rig.docs.buf);
    for (const auto& [a, v] : c.bufferBytes) rig.docs.buf[a] = v;
    auto& cells = rig.chip->memory();
    if (c.chipHoldsBuffer) std::copy(rig.docs.buf.data(), rig.docs.buf.data() + cells.size(), cells.begin());
    for (const auto& [a, v] : c.chipBytes) cells[a] = v;
    return RecordFormSteps(rig, c.steps);
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
