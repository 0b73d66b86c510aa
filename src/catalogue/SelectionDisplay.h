#pragma once
// What the selection dialog keeps up to date in the main window: the category box
// (ComboBox2), the manufacturer box (ComboBox1), the type list (ListBox1), the type
// label (Label2), the status bar panels and the current type name. The main window
// implements it; every call has a do-nothing default so that tests override only
// what they look at.
#include <string>
#include <vector>

namespace quarvin {

class SelectionDisplay {
public:
    virtual ~SelectionDisplay() = default;
    // ComboBox2: select this category item.
    virtual void setCategoryIndex(int index) {}
    // ComboBox1: replace the items (a fresh manufacturer listing).
    virtual void setManufacturerItems(const std::vector<std::string>& items) {}
    // ComboBox1: the text shown in the box.
    virtual void setManufacturerText(const std::string& text) {}
    // ListBox1 of the main window: replace the items (a fresh type listing).
    virtual void setTypeItems(const std::vector<std::string>& items) {}
    // ListBox1 of the main window: select a row (-1 for none).
    virtual void setTypeRow(int row) {}
    // ListBox1 of the main window: the selected row, -1 for none.
    virtual int typeRow() const { return -1; }
    // Label2: the whole caption ("Type:  " + description, or "<Device>" + description).
    virtual void setTypeLabel(const std::string& text) {}
    // StatusLine: panel n (0-based) text.
    virtual void setStatusPanel(int panel, const std::string& text) {}
    // The main window's current type name.
    virtual void setCurrentTypeName(const std::string& name) {}
};

} // namespace quarvin
