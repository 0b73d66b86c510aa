#include "VirtualChip.h"

#include "catalogue/DispatchTable.h"
#include "sim/ChipFaultText.h"
#include "sim/ChipImage.h"

namespace quarvin::cli {

const sim::ChipOffer* OfferNamed(const std::string& text, const std::vector<DeviceEntry>* deviceList) {
    if (const sim::ChipOffer* offer = sim::FindOffer(text)) return offer;
    if (!deviceList) return nullptr;
    const sim::ChipOffer* found = nullptr;
    for (const DeviceEntry& e : FindDevice(*deviceList, text)) {
        const SelectionState s = SelectionOf(e);
        const char* dialog = DialogClassOf(s.family);
        const sim::ChipOffer* offer = dialog ? sim::OfferForSubType(dialog, s.subType) : nullptr;
        // Makers' names for one part are fine; names of different parts are not.
        if (!offer || (found && found != offer)) return nullptr;
        found = offer;
    }
    return found;
}

ChipSetup InsertChip(sim::Box& box, const ChipRequest& r) {
    ChipSetup setup;
    const sim::ChipOffer* offer = r.type.empty() ? sim::OfferForSubType(r.deviceClass, r.deviceSubType)
                                                 : OfferNamed(r.type, r.deviceList);
    if (!r.type.empty() && !offer) {
        setup.error = "no chip '" + r.type + "' for the virtual box (quarvin-cli chips lists them)";
        return setup;
    }
    if (!offer) {
        if (!r.image.empty() || !r.faults.empty())
            setup.error = "the virtual box has no chip model for this device: --chip-image and --fault cannot apply";
        box.remove();
        return setup;
    }
    auto chip = offer->make();
    if (!r.image.empty()) {
        const sim::ChipImageLoad loaded = sim::LoadChipImage(*chip, r.image);
        if (loaded.status == sim::ImageLoad::Refused) {
            setup.error = loaded.error;
            return setup;
        }
    }
    for (const std::string& fault : r.faults) {
        setup.error = sim::AddChipFault(chip->faults(), fault);
        if (!setup.error.empty()) return setup;
    }
    setup.error = sim::FaultOutsideChip(*chip);
    if (!setup.error.empty()) return setup;
    box.insert(chip);
    setup.chip = std::move(chip);
    return setup;
}

} // namespace quarvin::cli
