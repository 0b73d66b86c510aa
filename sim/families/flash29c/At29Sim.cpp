#include "sim/families/flash29c/At29Sim.h"

#include "families/flash29c/At29Rows.h"
#include "sim/families/flash29c/At29Chip.h"
#include "sim/ops/JedecBus.h"
#include "sim/ops/PageWriteOps.h"

namespace quarvin::sim {

namespace {

template <std::size_t N>
SimFamily At29SimFamily(const char* dialogClass, const std::array<At29Row, N>& rows) {
    SimFamily f;
    f.dialogClass = dialogClass;
    f.installOps = [](OpcodeTable& t) {
        installBusModeOp(t);
        installPageWriteOps(t);
        installSixByteBlockWriteOp(t);
    };
    f.offers = [dialogClass, &rows] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (const At29Type* type = rows[i].chip ? FindAt29Type(rows[i].chip) : nullptr)
                offers.push_back({type->name, dialogClass, static_cast<int>(i),
                                  [type] { return std::make_shared<At29Chip>(*type); }});
        return offers;
    };
    return f;
}

} // namespace

SimFamily At29cxSimFamily() { return At29SimFamily(kAt29cxFormClass, kAt29cxRows); }
SimFamily At29c256SimFamily() { return At29SimFamily(kAt29c256FormClass, kAt29c256Rows); }

} // namespace quarvin::sim
