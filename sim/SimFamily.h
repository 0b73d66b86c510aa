#pragma once
// The device families the virtual box knows: the opcodes each one adds to the
// box and the parts it offers for the socket. One registry, keyed like the
// program's by the family's dialog class name ("TP27x").
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

// A part the socket can hold, standing for one sub-type row of its family.
struct ChipOffer {
    std::string label;   // shown in the socket window and by `quarvin-cli chips`
    std::string family;  // dialog class name
    int subType = 0;
    std::function<std::shared_ptr<Chip>()> make; // a blank part
};

struct SimFamily {
    std::string dialogClass;
    std::function<void(OpcodeTable&)> installOps;
    std::function<std::vector<ChipOffer>()> offers;
};

// Every family of the virtual box; sim/families/Registry.cpp lists them.
const std::vector<SimFamily>& SimFamilies();

// The chip catalogue: every part of every family, in registry and row order.
const std::vector<ChipOffer>& ChipOffers();
// The part a device selection stands for; nothing for the placeholder row and
// families without chip models.
const ChipOffer* OfferForSubType(const std::string& dialogClass, int subType);
// The part for a device row: among the sub-type's parts the one whose label
// names `typeName` (see NamesPart), else the sub-type's own part.
const ChipOffer* OfferForDevice(const std::string& dialogClass, int subType, const std::string& typeName);
// Whether a part's label names the device row's type: the label starts with the
// type's name, without regard to case ("HM62256" names "HM62256", "W24129A" names
// "W24129", "27c512 12.7v" names "27C512").
bool NamesPart(const std::string& label, const std::string& typeName);
// A part by its label, compared without regard to case.
const ChipOffer* FindOffer(const std::string& label);

// Part names are compared without regard to case ("at89c52" names the AT89C52).
bool SamePartName(const std::string& a, const std::string& b);

} // namespace quarvin::sim
