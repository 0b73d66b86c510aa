#include "families/framework/FamilyDialog.h"
#include "families/memory/TP27x.h"

namespace quarvin {

// Each built family adds its factory here; names not listed open the shared
// "not available in this version" dialog.
const std::map<std::string, FamilyFactory>& BuiltFamilies() {
    static const std::map<std::string, FamilyFactory> families = {
        {"TP27x", [](DeviceContext& ctx) -> std::unique_ptr<FamilyDialog> { return std::make_unique<TP27x>(ctx); }},
    };
    return families;
}

} // namespace quarvin
