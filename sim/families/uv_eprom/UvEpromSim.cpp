#include "sim/families/uv_eprom/UvEpromSim.h"

#include <sstream>

#include "families/uv_eprom/EpromRows.h"
#include "sim/families/uv_eprom/EpromChip.h"
#include "sim/families/uv_eprom/EpromOps.h"

namespace quarvin::sim {

namespace {

constexpr const char* kDialogClass = "TP27x";

// The row's name with its padding folded: "27c256   12.7v" -> "27c256 12.7v".
std::string FoldedName(const char* name) {
    std::istringstream words(name);
    std::string word, out;
    while (words >> word) out += (out.empty() ? "" : " ") + word;
    return out;
}

} // namespace

SimFamily UvEpromSimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = installEpromOps;
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kEpromRows.size(); ++i) {
            const EpromRow& row = kEpromRows[i];
            const EpromType* type = row.chip ? FindEpromType(row.chip) : nullptr;
            if (!type) continue;
            const std::string label = FoldedName(row.name);
            const int vpp = row.vppMillivolts;
            offers.push_back({label, kDialogClass, static_cast<int>(i),
                              [type, vpp, label] { return std::make_shared<EpromChip>(*type, vpp, label); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
