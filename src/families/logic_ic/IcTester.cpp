#include "families/logic_ic/IcTester.h"

#include "families/logic_ic/IcPackageSearch.h"

namespace quarvin {

bool IcTester::loadClass(int icClass) {
    const int c = IcClassOfSubType(icClass);
    std::string path = IcClasses()[static_cast<std::size_t>(c)].fileName;
    if (!dir_.empty()) path = dir_ + (dir_.back() == '/' ? "" : "/") + path;
    std::optional<IcLibrary> lib = IcLibrary::Load(path);
    if (!lib) return false;
    class_ = c;
    library_ = std::move(*lib);
    // What the last search found and the type chosen belong to the old class.
    found_.clear();
    selected_ = 0;
    names_.clear();
    for (const IcEntry& e : library_.entries()) names_.push_back(IcTypeName(class_, e.number));
    return true;
}

std::string IcTester::typeName(std::size_t entry) const {
    return entry < names_.size() ? names_[entry] : std::string();
}

SocketPlacement IcTester::selectedPlacement() const {
    const auto& entries = library_.entries();
    if (selected_ >= entries.size()) return {};
    const int vcc = entries[selected_].vccPin;
    return BottomAligned(PackagePinsOfVcc(vcc), {vcc}, {kIcGroundPin});
}

OperationResult IcTester::founction(LinkState& link, const OperationHooks& hooks) {
    return RunGuarded(link, [&] { return IcFounction(link, library_, selected_, hooks); });
}

OperationResult IcTester::search(LinkState& link, const OperationHooks& hooks) {
    found_.clear();
    if (selected_ >= library_.entries().size()) selected_ = 0;
    IcSearchResult r;
    r.result = RunGuarded(link, [&] {
        r = IcSearchByPackage(link, library_, library_.entries().empty() ? 0 : library_.entries()[selected_].vccPin,
                              hooks);
        return r.result;
    });
    if (!r.result.ok()) {
        r.found.clear();
        return r.result;
    }
    for (std::size_t i : r.found) found_.push_back(typeName(i));
    if (!r.found.empty()) selected_ = r.found.front();
    return r.result;
}

} // namespace quarvin
