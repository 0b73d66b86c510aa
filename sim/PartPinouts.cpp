#include "sim/PartPinouts.h"

#include "sim/SimFamily.h"

namespace quarvin::sim {

namespace {

quarvin::PartPinout PinoutOfOffer(const ChipOffer* offer) {
    if (!offer) return {};
    const auto chip = offer->make();
    if (!chip) return {};
    return {chip->label().empty() ? offer->label : chip->label(), chip->pinLabels(), chip->unpoweredClamps()};
}

} // namespace

quarvin::PartPinout PartPinoutOf(const std::string& dialogClass, int subType, const std::string& typeName) {
    return PinoutOfOffer(OfferForDevice(dialogClass, subType, typeName));
}

quarvin::PartPinout PartPinoutOfType(const std::string& partName) { return PinoutOfOffer(FindOffer(partName)); }

} // namespace quarvin::sim
