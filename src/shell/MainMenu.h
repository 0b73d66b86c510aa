#pragma once
// The main window's menu bar and tool bar as tables: what the view shows and which
// command each entry runs. Commands are named after their handlers.
#include <string>
#include <vector>

namespace quarvin {

struct MenuItem {
    std::string menu;      // menu bar caption
    std::string caption;   // empty for a separator
    std::string shortcut;  // "Ctrl+E", "F3", or empty
    std::string hint;
    std::string command;   // handler name; empty for a separator
    bool checkable = false; // a setting switched on and off: its check mark shows it
};

struct ToolButton {
    std::string name;
    int left;              // pixels from the tool bar's left edge
    std::string hint;
    std::string command;
};

inline constexpr int kToolButtonHeight = 45;
inline constexpr int kSpeedBarHeight = 54;
inline constexpr int kSelectionStripHeight = 27;

const std::vector<std::string>& MenuBarCaptions();
const std::vector<MenuItem>& MainMenuItems();
const std::vector<ToolButton>& ToolBarButtons();

} // namespace quarvin
