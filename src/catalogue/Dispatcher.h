#pragma once
// Opens family dialogs by family name, keeping one dialog instance per class.
#include <map>
#include <memory>
#include <string>

#include "catalogue/DispatchTable.h"
#include "families/framework/FamilyDialog.h"

namespace quarvin {

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
