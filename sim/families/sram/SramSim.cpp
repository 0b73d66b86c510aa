#include "sim/families/sram/SramSim.h"

#include "families/sram/SramRows.h"
#include "sim/families/sram/SramChip.h"

namespace quarvin::sim {

namespace {

constexpr const char* kDialogClass = "TDsRAM";

// A row's size in address bits.
int AddressBitsOf(std::uint32_t lastAddress) {
    int bits = 0;
    while ((std::uint64_t{1} << bits) <= lastAddress) ++bits;
    return bits;
}

} // namespace

SimFamily SramSimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = [](OpcodeTable&) {};
    f.offers = [] {
        // The row's own part first (the one the selection puts in the socket),
        // then the other parts of the same size and package.
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kSramRows.size(); ++i) {
            const SramRow& row = kSramRows[i];
            if (!row.chip) continue;
            const SramType* own = FindSramType(row.chip);
            if (!own) continue;
            std::vector<const SramType*> parts{own};
            for (const SramType& t : SramTypes())
                if (&t != own && t.pins == own->pins && t.addressBits == AddressBitsOf(row.lastAddress)) parts.push_back(&t);
            for (const SramType* t : parts)
                offers.push_back({t->name, kDialogClass, static_cast<int>(i), [t] { return std::make_shared<SramChip>(*t); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
