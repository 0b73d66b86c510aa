#include "shell/MainMenu.h"

namespace quarvin {

const std::vector<std::string>& MenuBarCaptions() {
    static const std::vector<std::string> captions = {"&File", "&Edit", "Option", "&Test", "&Window", "&Help"};
    return captions;
}

const std::vector<MenuItem>& MainMenuItems() {
    static const std::vector<MenuItem> items = {
        {"&File", "&New", "", "", "FileNew"},
        {"&File", "&Load", "", "", "FileOpen"},
        {"&File", "&Save", "", "", "FileSave"},
        {"&File", "", "", "", ""},
        {"&File", "&Print", "", "", "FilePrint"},
        {"&File", "", "", "", ""},
        {"&File", "E&xit", "", "", "FileExit"},
        {"&Edit", "&Fill Buffer ", "", "", "FillClick"},
        {"&Edit", "&Change buffer size ", "Ctrl+E", "", "SizeClick"},
        {"&Edit", "&Find", "Ctrl+F", "", "S1Click"},
        {"&Edit", "&Replace", "Ctrl+R", "", "R1Click"},
        {"&Edit", "&Again", "F3", "", "S2Click"},
        {"Option", "&Again", "", "", "BeforClick"},
        {"Option", "&Type", "", "", "TypeClick"},
        {"Option", "&Programme", "", "", "ProgClick"},
        {"Option", "&Auto detect", "", "", "IDClick"},
        {"Option", "&Reconnect", "", "Search for the box again", "ReconnectClick"},
        {"&Test", "System Status", "", "", "SystemClick"},
        {"&Test", "&Optocoupler", "", "", "N6Click"},
        {"&Test", "Serial adapter loopback", "", "Test the serial adapter with TX joined to RX", "LoopbackClick"},
        {"&Window", "&Tile", "", "", "WindowTile"},
        {"&Window", "&Cascade", "", "", "WindowCascade"},
        {"&Window", "&All", "", "", "WindowArrange"},
        {"&Window", "", "", "", ""},
        {"&Window", "&File", "", "", "FileNew"},
        {"&Window", "&Close Type Window", "", "", "CloseTypeClick"},
        {"&Window", "&Open Type Window", "", "", "OpenTypeClick"},
        {"&Help", "", "", "", ""},
        {"&Help", "&About...", "", "Show program information", "HelpAbout"},
        {"&Help", "Bring-up report", "", "Write a report of the box to attach to a question", "BringUpReportClick"},
    };
    return items;
}

const std::vector<ToolButton>& ToolBarButtons() {
    static const std::vector<ToolButton> buttons = {
        {"SpeedButton1", 16, "Load file to buffer", "FileOpen"},
        {"SpeedButton2", 72, "Save buffer to a file", "FileSave"},
        {"SpeedButton3", 128, "Fill buffer", "FillClick"},
        {"SpeedButton4", 184, "Select device type", "TypeClick"},
        {"SpeedButton6", 240, "Wr/Re/Ver...", "ProgClick"},
        {"SpeedButton5", 296, "Test system", "SystemClick"},
        {"SpeedButton7", 352, "Detect Memory MFG/Type", "IDClick"},
        {"SpeedButton8", 408, "", "PageUpClick"},
        {"SpeedButton9", 464, "", "PageDownClick"},
        {"SpeedButton10", 520, "Topic Search|", "HelpSearch"},
    };
    return buttons;
}

} // namespace quarvin
