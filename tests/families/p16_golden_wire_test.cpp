// The bytes the PIC16 dialog sends in its edge cases, compared with golden files
// recorded from the virtual box, with the message each ends with. The dialog is
// driven only through its form. QUARVIN_UPDATE_GOLDEN=1 rewrites the files.
#include <gtest/gtest.h>

#include "GoldenRig.h"
#include "GoldenWire.h"
#include "families/pic16c8x/Pic16Dialog.h"
#include "sim/families/pic16c8x/Pic16Chip.h"

namespace quarvin::test {
namespace {

enum class Socket { Blank, UsedWord, ConfigWritten, Protected, Empty };

struct Case {
    const char* name;
    int row;
    Socket socket;
    int eraseMode; // RadioGroup2 index
    bool hexWindow;
    std::vector<const char*> clicks;
};

const Case kCases[] = {
    {"p16_blank_16c83_blank", 1, Socket::Blank, 3, true, {"Blank"}},
    {"p16_blank_16f84_used_word_3", 5, Socket::UsedWord, 3, true, {"Blank"}},
    {"p16_blank_16f84_config_not_blank", 5, Socket::ConfigWritten, 3, true, {"Blank"}},
    {"p16_blank_16f873_empty_socket", 7, Socket::Empty, 3, true, {"Blank"}},
    {"p16_erase_code_16f84", 5, Socket::Blank, 0, true, {"Erase"}},
    {"p16_erase_data_16f84", 5, Socket::Blank, 1, true, {"Erase"}},
    {"p16_erase_code_data_16f84", 5, Socket::Blank, 2, true, {"Erase"}},
    {"p16_erase_all_protected_16f84", 5, Socket::Protected, 3, true, {"Erase"}},
    {"p16_erase_all_16f877", 10, Socket::Blank, 3, true, {"Erase"}},
    {"p16_wr_config_16f84", 5, Socket::Blank, 3, true, {"WtConfig"}},
    {"p16_re_config_16f877", 10, Socket::ConfigWritten, 3, true, {"RdConfig"}},
    {"p16_program_without_file", 5, Socket::Blank, 3, false, {"Write"}},
    {"p16_verify_protected_16f84", 5, Socket::Protected, 3, true, {"Verify"}},
};

Recording Record(const Case& c) {
    TappedRig<Pic16Dialog, sim::Pic16Chip> rig(c.row);
    rig.docs.buf.initialise();
    rig.start();
    const auto& chip = rig.chip;
    rig.dlg.control("Edit1").setText("5a3c");
    rig.dlg.control("CheckBox3").setChecked(true);
    rig.dlg.control("RadioGroup1").setItemIndex(2);
    switch (c.socket) {
    case Socket::Blank: break;
    case Socket::UsedWord: chip->memory()[6] = 0x12; break;
    case Socket::ConfigWritten: rig.dlg.click("WtConfig"); break;
    case Socket::Protected:
        chip->memory()[0] = 0x34;
        rig.dlg.control("CheckBox1").setChecked(true);
        rig.dlg.click("WtConfig");
        rig.dlg.control("CheckBox1").setChecked(false);
        break;
    case Socket::Empty: rig.box->remove(); break;
    }
    rig.dlg.control("RadioGroup2").setItemIndex(c.eraseMode);
    rig.docs.hex = c.hexWindow;
    rig.tap->clear();
    for (const char* click : c.clicks) rig.dlg.click(click);
    return {*rig.tap, rig.dlg.control("Msg").text()};
}

TEST(Pic16GoldenWire, EdgeCasesSendTheRecordedStream) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(MatchesGolden(c.name, Record(c)));
    }
}

} // namespace
} // namespace quarvin::test
