#include <algorithm>
#include <cctype>

#include "sim/SimFamily.h"

namespace quarvin::sim {

const std::vector<ChipOffer>& ChipOffers() {
    static const std::vector<ChipOffer> offers = [] {
        std::vector<ChipOffer> all;
        for (const SimFamily& f : SimFamilies()) {
            auto some = f.offers();
            all.insert(all.end(), some.begin(), some.end());
        }
        return all;
    }();
    return offers;
}

const ChipOffer* OfferForSubType(const std::string& dialogClass, int subType) {
    for (const ChipOffer& o : ChipOffers())
        if (o.family == dialogClass && o.subType == subType) return &o;
    return nullptr;
}

const ChipOffer* FindOffer(const std::string& label) {
    const auto same = [&](const std::string& other) {
        return other.size() == label.size() &&
               std::equal(other.begin(), other.end(), label.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               });
    };
    for (const ChipOffer& o : ChipOffers())
        if (same(o.label)) return &o;
    return nullptr;
}

} // namespace quarvin::sim
