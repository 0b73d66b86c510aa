#pragma once
// The device selection dialog: category, manufacturer and type lists read from the
// device list file, the confirmation that fills the selection state and opens the
// family dialog, and the manufacturer/type code detection.
#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "buffer/DocumentHost.h"
#include "catalogue/Dispatcher.h"
#include "catalogue/SelectionDisplay.h"
#include "catalogue/SelectionState.h"
#include "forms/Form.h"
#include "link/commands/LinkState.h"
#include "platform/Platform.h"

namespace quarvin {

class TTypeDlg : public Form {
public:
    // programDir: the working directory at start-up, ending in "/"; the device list
    // files are read from it. main: the main window's copies of the lists (may be null).
    TTypeDlg(LinkState& link, Platform& platform, DocumentHost& docs, std::string programDir,
             SelectionDisplay* main = nullptr,
             const std::map<std::string, FamilyFactory>& built = BuiltFamilies());

    // Handlers of the dialog's controls.
    void Radio1OnClick();
    void ListBox1MouseUp();
    void ListBox1KeyUp();
    void OKBtnClick();
    void MFRClick();

    // What the main window asks of the selection.
    void SelectCategory(int index);        // category box changed
    void SelectManufacturerRow(int row);   // manufacturer box changed
    void ConfirmRow(int row);              // type list double-click or Enter
    void IDClick();                        // "Auto detect"
    void ProgClick();                      // "Programme"
    void Dispatch();                       // open the dialog of the confirmed family
    // Program start, after the configuration has been restored: rebuild the lists,
    // confirm the remembered row and show the device in the main window.
    void StartUp();

    // State kept between operations; the configuration file saves and restores it.
    SelectionState& selection() { return selection_; }
    int categoryIndex() const;
    void setCategoryIndex(int index);
    std::string categoryKey = "#EPR";
    std::string selectedManufacturer;
    std::int32_t manufacturerRow = 0;
    std::int32_t typeRow = 0;
    int manufacturerCount = 0;
    std::vector<std::string> parameters; // parameter field of each ListBox2 row
    std::uint8_t mfgCode = 0;             // codes of the last detection
    std::uint8_t deviceCode = 0;

    Dispatcher& dispatcher() { return dispatcher_; }
    DeviceContext& context() { return ctx_; }
    // The device list file for the box's board model (asks the box each time).
    std::string deviceListPath();

private:
    bool listManufacturers();
    bool listTypes();
    bool openList(std::ifstream& in);

    LinkState& link_;
    Platform& platform_;
    std::string programDir_;
    SelectionDisplay* main_;
    SelectionDisplay noMain_;
    SelectionState selection_;
    DeviceContext ctx_;
    Dispatcher dispatcher_;

    Control& RadioGroup1_;
    Control& ListBox1_;
    Control& ListBox2_;
    Control& Edit1_;
};

} // namespace quarvin
