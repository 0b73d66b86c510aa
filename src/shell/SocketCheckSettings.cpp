#include "shell/SocketCheckSettings.h"

#include <fstream>

#include "forms/Texts.h"
#include "platform/RegularFile.h"

namespace quarvin {

namespace {
constexpr const char* kBeforeEachLine = "before-each=1";
constexpr std::size_t kMaxFileBytes = 4096;
} // namespace

WindowSocketCheck::WindowSocketCheck(std::string programDir) : dir_(std::move(programDir)) {
    if (const auto text = ReadRegularFile(dir_ + kSocketCheckSettingsFileName, kMaxFileBytes))
        beforeEach_ = text->find(kBeforeEachLine) != std::string::npos;
}

std::string WindowSocketCheck::store(bool beforeEach) {
    beforeEach_ = beforeEach;
    const std::string path = dir_ + kSocketCheckSettingsFileName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << (beforeEach ? kBeforeEachLine : "before-each=0") << '\n';
    out.close();
    return out ? std::string() : "Cannot write " + path;
}

SocketCheckPlan WindowSocketCheck::planFor(const std::string& dialogClass, const SelectionState& selection) const {
    const auto& families = Families();
    const auto family = families.find(dialogClass);
    if (family == families.end()) return PlanSocketCheck({}, {}, QV_TEXT("this family is not built in this version"));
    return SocketCheckPlanFor(family->second, dialogClass, selection, pinouts_);
}

} // namespace quarvin
