// Feeds arbitrary text to the configuration file's parser and checks that what it
// restores is within the fields' limits and survives being written and read again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "shell/ConfigFile.h"

using namespace quarvin::shell;

namespace {

const std::string kCaption = "QUARVIN fuzz caption of thirty-odd characters";

bool FitsOneLine(const std::optional<std::string>& s) {
    return !s || s->find_first_of("\r\n") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ConfigRead read = ParseConfiguration(text, kCaption);
    if (read.status != ConfigStatus::Restored) return 0;
    const ConfigValues& v = read.values;
    if (v.categoryKey && v.categoryKey->size() > 20) std::abort();
    if (!FitsOneLine(v.family) || !FitsOneLine(v.description) || !FitsOneLine(v.fileName) ||
        !FitsOneLine(v.manufacturer) || !FitsOneLine(v.categoryKey) || !FitsOneLine(v.typeName))
        std::abort();

    // A file with every line comes back the same after a write.
    if (!v.categoryIndex || !v.family || !v.description || !v.fileName || !v.subType || !v.manufacturer ||
        !v.categoryKey || !v.manufacturerRow || !v.typeRow || !v.typeName)
        return 0;
    const ConfigRecord record{*v.categoryIndex, *v.family, *v.description, *v.fileName, *v.subType,
                              *v.manufacturer, *v.categoryKey, *v.manufacturerRow, *v.typeRow, *v.typeName};
    const ConfigRead again = ParseConfiguration(FormatConfiguration(kCaption, record), kCaption);
    if (again.status != ConfigStatus::Restored) std::abort();
    const ConfigValues& w = again.values;
    if (w.categoryIndex != v.categoryIndex || w.family != v.family || w.description != v.description ||
        w.fileName != v.fileName || w.subType != v.subType || w.manufacturer != v.manufacturer ||
        w.categoryKey != v.categoryKey || w.manufacturerRow != v.manufacturerRow || w.typeRow != v.typeRow ||
        w.typeName != v.typeName)
        std::abort();
    return 0;
}
