#include "families/framework/FamilyDialog.h"

namespace quarvin {

// Each built family adds its factory here; names not listed open the shared
// "not available in this version" dialog.
const std::map<std::string, FamilyFactory>& BuiltFamilies() {
    static const std::map<std::string, FamilyFactory> families = {};
    return families;
}

} // namespace quarvin
