#include "sim/PartPinouts.h"

#include "sim/SimFamily.h"

namespace quarvin::sim {

quarvin::PartPinout PartPinoutOf(const std::string& dialogClass, int subType, const std::string& typeName) {
    const ChipOffer* offer = OfferForDevice(dialogClass, subType, typeName);
    if (!offer) return {};
    const auto chip = offer->make();
    if (!chip) return {};
    return {chip->label().empty() ? offer->label : chip->label(), chip->pinLabels()};
}

} // namespace quarvin::sim
