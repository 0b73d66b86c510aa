#pragma once
// The family names of the device list and the dialog class each one opens, and the
// dispatcher that keeps one dialog instance per class.
#include <array>
#include <map>
#include <memory>
#include <string>

#include "families/framework/FamilyDialog.h"

namespace quarvin {

struct DispatchRow {
    const char* family;  // first word of a type's parameter field, compared whole and case-sensitively
    const char* dialog;  // family dialog class
};

extern const std::array<DispatchRow, 54> DispatchTable;

// The dialog class of a family name, or nullptr when no row has it.
const char* DialogClassOf(const std::string& family);

class Dispatcher {
public:
    // Dialogs of the classes in `built` are created by their factories; every other
    // class of the table opens the one shared "not available" dialog.
    Dispatcher(DeviceContext& ctx, const std::map<std::string, FamilyFactory>& built = BuiltFamilies());
    ~Dispatcher();
    Dispatcher(const Dispatcher&) = delete;
    Dispatcher& operator=(const Dispatcher&) = delete;

    // Opens the dialog of the family: creates it when it has no instance yet, shows
    // it, brings it to the front and runs its start operation. False (and nothing
    // opened) for a family name without a row.
    bool dispatch(const std::string& family);

    // The instance of a dialog class, created (hidden) when missing.
    FamilyDialog& instance(const std::string& dialogClass);
    // The instance of a dialog class if it exists.
    FamilyDialog* existing(const std::string& dialogClass) const;

private:
    DeviceContext& ctx_;
    const std::map<std::string, FamilyFactory>& built_;
    std::map<std::string, std::unique_ptr<FamilyDialog>> owned_; // by created class
    std::map<std::string, FamilyDialog*> byClass_;               // every table class asked for
};

} // namespace quarvin
