#include "families/logic_ic/IcPackageSearch.h"

#include <algorithm>
#include <functional>

namespace quarvin {

namespace {

// The supply pins of the library's packages from `smallestVccPin` up, the
// largest package first; a record that names no supply has no package.
std::vector<int> PackagesDownTo(const IcLibrary& lib, int smallestVccPin) {
    std::vector<int> supplies;
    for (const IcEntry& e : lib.entries())
        if (e.vccPin > 0 && e.vccPin >= smallestVccPin && std::find(supplies.begin(), supplies.end(), e.vccPin) == supplies.end())
            supplies.push_back(e.vccPin);
    std::sort(supplies.begin(), supplies.end(), std::greater<>());
    return supplies;
}

} // namespace

IcSearchResult IcSearchByPackage(LinkState& link, const IcLibrary& lib, int smallestVccPin,
                                 const OperationHooks& hooks) {
    // "No device in socket!" only when no package saw anything answer.
    bool anyAnswer = false;
    const std::vector<int> packages = PackagesDownTo(lib, smallestVccPin);
    if (packages.empty()) return IcSearch(link, lib, hooks);
    for (const int vccPin : packages) {
        std::vector<std::size_t> indexes;
        IcSearchResult r = IcSearch(link, lib.package(vccPin, indexes), hooks);
        for (std::size_t& i : r.found) i = indexes[i];
        const bool nothingThere = r.result.outcome == Outcome::Failed && r.result.message == kIcNoDevice;
        const bool noneFound = r.result.outcome == Outcome::Failed && r.result.message == kIcNoFind;
        if (!nothingThere && !noneFound) return r; // found, stopped or lost
        anyAnswer = anyAnswer || noneFound;
    }
    IcSearchResult out;
    out.result = OperationResult::failed(anyAnswer ? kIcNoFind : kIcNoDevice, 0);
    return out;
}

} // namespace quarvin
