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

bool SamePartName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool NamesPart(const std::string& label, const std::string& typeName) {
    return !typeName.empty() && label.size() >= typeName.size() &&
           SamePartName(label.substr(0, typeName.size()), typeName);
}

const ChipOffer* OfferForDevice(const std::string& dialogClass, int subType, const std::string& typeName) {
    for (const ChipOffer& o : ChipOffers())
        if (o.family == dialogClass && o.subType == subType && NamesPart(o.label, typeName)) return &o;
    return OfferForSubType(dialogClass, subType);
}

const ChipOffer* FindOffer(const std::string& label) {
    for (const ChipOffer& o : ChipOffers())
        if (SamePartName(o.label, label)) return &o;
    return nullptr;
}

} // namespace quarvin::sim
