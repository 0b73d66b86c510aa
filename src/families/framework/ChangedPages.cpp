#include "families/framework/ChangedPages.h"

#include <algorithm>
#include <cstring>

namespace quarvin {

FamilyOptionInfo ChangedOnlyOptionInfo() {
    return {kChangedOnlyOption, "on, off", "off",
            "program reads the part first, writes only the pages that differ and verifies the whole part"};
}

std::string SetChangedOnly(const std::string& value, bool& changedOnly) {
    if (value != "on" && value != "off") return std::string(kChangedOnlyOption) + " takes on or off, not " + value;
    changedOnly = value == "on";
    return {};
}

ChangedPages::ChangedPages(const std::uint8_t* chip, const std::uint8_t* wanted, std::uint32_t count,
                           std::uint32_t pageBytes)
    : count_(count), pageBytes_(std::max<std::uint32_t>(pageBytes, 1)) {
    for (std::uint32_t at = 0; at < count; at += pageBytes_) {
        const std::uint32_t n = std::min(pageBytes_, count - at);
        const bool differs = std::memcmp(chip + at, wanted + at, n) != 0;
        differs_.push_back(differs);
        if (differs) ++written_;
    }
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> ChangedPages::runs() const {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> runs;
    for (std::uint32_t page = 0; page < pages(); ++page) {
        if (!differs_[page]) continue;
        const std::uint32_t first = page * pageBytes_, end = std::min(first + pageBytes_, count_);
        if (!runs.empty() && runs.back().second == first)
            runs.back().second = end;
        else
            runs.emplace_back(first, end);
    }
    return runs;
}

std::string ChangedPages::note() const {
    return "changed only: " + std::to_string(written_) + " of " + std::to_string(pages()) + " pages of " +
           std::to_string(pageBytes_) + " bytes written, " + std::to_string(skipped()) + " skipped";
}

} // namespace quarvin
