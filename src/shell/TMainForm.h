#pragma once
// The main window model: menu and tool bar commands, the device selection strip
// (category box, manufacturer box, type list), the status bar and the data file
// state. Commands that belong to other parts of the program are attached by name.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "buffer/FileCommands.h"
#include "catalogue/SelectionDisplay.h"
#include "forms/Form.h"
#include "platform/Platform.h"
#include "shell/MainMenu.h"

namespace quarvin {

// What the main window asks of the selection dialog. Set by the program once that
// dialog exists; until then the strip's handlers only update the strip itself.
struct SelectionHooks {
    std::function<void(int)> selectCategory;     // category box changed: list that category
    std::function<void(int)> selectManufacturer; // manufacturer box row: make it current, list types
    std::function<void(int)> confirmRow;         // type list row: confirm it, open its dialog
    std::function<void()> autoDetect;            // Option > Auto detect
    std::function<void()> programme;             // Option > Programme
};

class TMainForm : public Form, public SelectionDisplay {
public:
    TMainForm(Platform& platform, std::string programDir);

    const std::string& programDir() const { return programDir_; }
    DataFileState& file() { return file_; }
    const std::string& currentTypeName() const { return currentTypeName_; }

    // Attaches the command run by a menu item or tool button of that name.
    void setCommand(const std::string& name, std::function<void()> fn);
    bool hasCommand(const std::string& name) const;
    // Whether the setting a command switches is on, for its menu item's check mark.
    void setCommandState(const std::string& name, std::function<bool()> isOn) { states_[name] = std::move(isOn); }
    bool commandOn(const std::string& name) const {
        auto it = states_.find(name);
        return it != states_.end() && it->second && it->second();
    }
    // Runs a command as a user action: does nothing while another handler runs.
    bool run(const std::string& name);
    // Runs a command from inside another handler (no busy check).
    void perform(const std::string& name);

    SelectionHooks selection;

    // The strip, as the selection dialog keeps it up to date.
    void setCategoryIndex(int index) override;
    void setManufacturerItems(const std::vector<std::string>& names) override;
    void setManufacturerText(const std::string& name) override;
    void setTypeItems(const std::vector<std::string>& rows) override;
    void setTypeRow(int row) override;
    int typeRow() const override;
    void setTypeLabel(const std::string& text) override;
    void setStatusPanel(int panel, const std::string& text) override;
    void setCurrentTypeName(const std::string& name) override;
    // The user moved the type list's highlight (a single click or an arrow key):
    // only a double click or Enter confirms a type, which StatusHint then says.
    void typeRowHighlighted(int row);
    void setFileLabel(const std::string& text);
    // The link's status panel, and the caption's note when the virtual box is the link.
    void setLinkStatus(const std::string& text, bool virtualBox);
    // A long command's progress in the status bar's hint, painted at once ("" clears it).
    void showProgressNow(const std::string& text);

    // Handlers of the strip, the menu and the tool bar.
    void ComboBox2Change();
    void ComboBox1Change();
    void List1OnDbClick();
    void List1KeyDown(int key);
    void IDClick();
    void ProgClick();
    void HelpSearch();
    void CloseTypeClick();
    void OpenTypeClick();
    void FileExit();
    int typeWindowWidth() const;

    static constexpr int kStatusPanels = 4;
    static constexpr int kLinkPanel = 0;
    static const std::vector<std::string>& CategoryItems();

private:
    void showTypeHint();

    Platform& platform_;
    std::string programDir_;
    DataFileState file_;
    std::string currentTypeName_;
    std::map<std::string, std::function<void()>> commands_;
    std::map<std::string, std::function<bool()>> states_;
};

} // namespace quarvin
