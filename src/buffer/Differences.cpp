#include "buffer/Differences.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quarvin {

namespace {
std::string address6(std::int64_t a) {
    char text[24];
    std::snprintf(text, sizeof text, "%06llX", static_cast<unsigned long long>(a));
    return text;
}
} // namespace

void DifferenceList::add(std::int64_t address, std::uint8_t first, std::uint8_t second) {
    if (address != lastAddress_ + 1) ++runs_;
    lastAddress_ = address;
    ++total_;
    if (static_cast<std::int64_t>(listed_.size()) < maxListed_) listed_.push_back({address, first, second});
}

void DifferenceList::compare(std::int64_t address, const std::uint8_t* first, const std::uint8_t* second,
                             std::int64_t count) {
    // Equal stretches are skipped a block at a time: most of an image usually matches.
    constexpr std::int64_t kBlock = 4096;
    for (std::int64_t k = 0; k < count;) {
        const std::int64_t n = std::min(kBlock, count - k);
        if (std::memcmp(first + k, second + k, static_cast<std::size_t>(n)) == 0) {
            k += n;
            continue;
        }
        for (const std::int64_t end = k + n; k < end; ++k)
            if (first[k] != second[k]) add(address + k, first[k], second[k]);
    }
}

std::string DifferenceList::text(const std::string& firstName, const std::string& secondName) const {
    std::string out;
    if (!listed_.empty()) out = "Address  " + firstName + "  " + secondName + "\n";
    for (std::size_t i = 0; i < listed_.size();) {
        std::size_t j = i + 1;
        while (j < listed_.size() && listed_[j].address == listed_[j - 1].address + 1) ++j;
        const std::int64_t length = static_cast<std::int64_t>(j - i);
        out += address6(listed_[i].address) + "-" + address6(listed_[j - 1].address) + ", " +
               std::to_string(length) + (length == 1 ? " byte\n" : " bytes\n");
        for (; i < j; ++i) {
            char line[48];
            std::snprintf(line, sizeof line, "  %s  %02X  %02X\n", address6(listed_[i].address).c_str(),
                          listed_[i].first, listed_[i].second);
            out += line;
        }
    }
    out += std::to_string(total_) + (total_ == 1 ? " byte differs" : " bytes differ") + " in " +
           std::to_string(runs_) + (runs_ == 1 ? " run" : " runs");
    if (total_ > static_cast<std::int64_t>(listed_.size()))
        out += "; the first " + std::to_string(listed_.size()) + " are listed";
    out += ".\n";
    return out;
}

} // namespace quarvin
