#include "shell/MainMenu.h"
#include "forms/Texts.h"

namespace quarvin {

const std::vector<std::string>& MenuBarCaptions() {
    static const std::vector<std::string> captions = {QV_TEXT("&File"), QV_TEXT("&Edit"), QV_TEXT("Option"), QV_TEXT("&Test"), QV_TEXT("&Window"), QV_TEXT("&Help")};
    return captions;
}

const std::vector<MenuItem>& MainMenuItems() {
    static const std::vector<MenuItem> items = {
        {"&File", QV_TEXT("&New"), "", "", "FileNew"},
        {"&File", QV_TEXT("&Load"), "", "", "FileOpen"},
        {"&File", QV_TEXT("&Save"), "", "", "FileSave"},
        {"&File", "", "", "", ""},
        {"&File", QV_TEXT("&Print"), "", "", "FilePrint"},
        {"&File", "", "", "", ""},
        {"&File", QV_TEXT("E&xit"), "", "", "FileExit"},
        {"&Edit", QV_TEXT("&Fill Buffer "), "", "", "FillClick"},
        {"&Edit", QV_TEXT("&Change buffer size "), "Ctrl+E", "", "SizeClick"},
        {"&Edit", QV_TEXT("&Find"), "Ctrl+F", "", "S1Click"},
        {"&Edit", QV_TEXT("&Replace"), "Ctrl+R", "", "R1Click"},
        {"&Edit", QV_TEXT("&Again"), "F3", "", "S2Click"},
        {"Option", "&Again", "", "", "BeforClick"},
        {"Option", QV_TEXT("&Type"), "", "", "TypeClick"},
        {"Option", QV_TEXT("&Programme"), "", "", "ProgClick"},
        {"Option", QV_TEXT("&Auto detect"), "", "", "IDClick"},
        {"Option", QV_TEXT("&Serial number"), "", QV_TEXT("Write a serial number into each chip programmed"), "SerialClick"},
        {"Option", QV_TEXT("Auto, &next chip"), "", QV_TEXT("Run Auto chip after chip, each with the next serial number"), "AutoNextChipClick"},
        {"Option", QV_TEXT("Check the socket before each operation"), "", QV_TEXT("Every button and Auto first check the chip's contacts and seat"), "SocketCheckOptionClick", true},
        {"Option", QV_TEXT("&Reconnect"), "", QV_TEXT("Search for the box again"), "ReconnectClick"},
        {"&Test", QV_TEXT("System Status"), "", "", "SystemClick"},
        {"&Test", QV_TEXT("&Optocoupler"), "", "", "N6Click"},
        {"&Test", QV_TEXT("Socket check"), "", QV_TEXT("Check the chip's contacts and seat, nothing powered"), "SocketCheckClick"},
        {"&Test", QV_TEXT("Serial adapter loopback"), "", QV_TEXT("Test the serial adapter with TX joined to RX"), "LoopbackClick"},
        {"&Window", QV_TEXT("&Tile"), "", "", "WindowTile"},
        {"&Window", QV_TEXT("&Cascade"), "", "", "WindowCascade"},
        {"&Window", QV_TEXT("&All"), "", "", "WindowArrange"},
        {"&Window", "", "", "", ""},
        {"&Window", "&File", "", "", "FileNew"},
        {"&Window", QV_TEXT("&Close Type Window"), "", "", "CloseTypeClick"},
        {"&Window", QV_TEXT("&Open Type Window"), "", "", "OpenTypeClick"},
        {"&Help", "", "", "", ""},
        {"&Help", QV_TEXT("&About..."), "", QV_TEXT("Show program information"), "HelpAbout"},
        {"&Help", QV_TEXT("Bring-up report"), "", QV_TEXT("Write a report of the box to attach to a question"), "BringUpReportClick"},
    };
    return items;
}

const std::vector<ToolButton>& ToolBarButtons() {
    static const std::vector<ToolButton> buttons = {
        {"SpeedButton1", 16, QV_TEXT("Load file to buffer"), "FileOpen"},
        {"SpeedButton2", 72, QV_TEXT("Save buffer to a file"), "FileSave"},
        {"SpeedButton3", 128, QV_TEXT("Fill buffer"), "FillClick"},
        {"SpeedButton4", 184, QV_TEXT("Select device type"), "TypeClick"},
        {"SpeedButton6", 240, QV_TEXT("Wr/Re/Ver..."), "ProgClick"},
        {"SpeedButton5", 296, QV_TEXT("Test system"), "SystemClick"},
        {"SpeedButton7", 352, QV_TEXT("Detect Memory MFG/Type"), "IDClick"},
        {"SpeedButton8", 408, "", "PageUpClick"},
        {"SpeedButton9", 464, "", "PageDownClick"},
        {"SpeedButton10", 520, QV_TEXT("Topic Search|"), "HelpSearch"},
    };
    return buttons;
}

} // namespace quarvin
