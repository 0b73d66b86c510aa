#include "catalogue/Dispatcher.h"

#include "catalogue/TUnavailable.h"

namespace quarvin {

Dispatcher::Dispatcher(DeviceContext& ctx, const std::map<std::string, FamilyFactory>& built)
    : ctx_(ctx), built_(built) {}

Dispatcher::~Dispatcher() {
    if (ctx_.platform.windows)
        for (auto& [name, dlg] : owned_) ctx_.platform.windows->formDestroyed(*dlg);
}

FamilyDialog* Dispatcher::existing(const std::string& dialogClass) const {
    auto it = byClass_.find(dialogClass);
    return it == byClass_.end() ? nullptr : it->second;
}

FamilyDialog& Dispatcher::instance(const std::string& dialogClass) {
    if (FamilyDialog* dlg = existing(dialogClass)) return *dlg;
    auto factory = built_.find(dialogClass);
    std::string created = factory != built_.end() ? dialogClass : std::string(TUnavailable::ClassName);
    auto own = owned_.find(created);
    if (own == owned_.end()) {
        std::unique_ptr<FamilyDialog> dlg = factory != built_.end()
                                                ? factory->second(ctx_)
                                                : std::make_unique<TUnavailable>(ctx_);
        own = owned_.emplace(created, std::move(dlg)).first;
        if (ctx_.platform.windows) ctx_.platform.windows->formCreated(*own->second);
    }
    byClass_[dialogClass] = own->second.get();
    return *own->second;
}

bool Dispatcher::dispatch(const std::string& family) {
    const char* dialogClass = DialogClassOf(family);
    if (!dialogClass) return false;
    // A device list row naming a sub-type the family has no row for opens nothing:
    // every operation would run on the placeholder row.
    if (built_.count(dialogClass))
        if (const auto entry = Families().find(dialogClass); entry != Families().end())
            if (const std::string outside = SubTypeOutsideTable(entry->second, dialogClass, ctx_.selection.subType);
                !outside.empty()) {
                if (ctx_.platform.prompts) ctx_.platform.prompts->message(ctx_.selection.description + ": " + outside);
                return true;
            }
    FamilyDialog& dlg = instance(dialogClass);
    dlg.show();
    dlg.bringToFront();
    // Run through the dialog's own handler boundary, so a lost link ends only
    // this start and the dialog's abort handling applies.
    dlg.invoke([&dlg] { dlg.Start(); });
    return true;
}

} // namespace quarvin
