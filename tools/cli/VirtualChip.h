#pragma once
// The chip the embedded virtual box holds for a run: a blank part of the
// selected device (as the program inserts one on every selection) or the part
// --chip names, its state loaded from and saved to --chip-image, with --fault.
#include <memory>
#include <string>
#include <vector>

#include "DeviceList.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"

namespace quarvin::cli {

struct ChipRequest {
    std::string type;                  // --chip: a chip label or a device-list type; empty: the selected device's
    std::string image;                 // --chip-image
    std::vector<std::string> faults;   // --fault
    std::string deviceClass;           // the selected device's dialog class and sub-type
    int deviceSubType = 0;
    const std::vector<DeviceEntry>* deviceList = nullptr; // for --chip by type name
};

struct ChipSetup {
    std::shared_ptr<sim::Chip> chip; // empty: the socket stays empty
    std::string error;               // the request cannot be met
};

// Makes the chip (with image and faults) and puts it into the box.
ChipSetup InsertChip(sim::Box& box, const ChipRequest& request);

// The part a --chip text names: a label of the catalogue, or a device-list type
// whose entries all stand for one part. Nothing when it names none.
const sim::ChipOffer* OfferNamed(const std::string& text, const std::vector<DeviceEntry>* deviceList);

} // namespace quarvin::cli
