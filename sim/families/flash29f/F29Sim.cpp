#include "sim/families/flash29f/F29Sim.h"

#include "families/flash29f/F29Rows.h"
#include "link/commands/BoxTimes.h"
#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/families/flash29f/F29Chip.h"
#include "sim/ops/JedecBus.h"

namespace quarvin::sim {

namespace {

constexpr const char* kDialogClass = "TP29fxxx";
constexpr int kChipEnable = 26, kOutputEnable = 28;
constexpr double kPollMaxUs = boxtime::F29ProgramPollLimitMicroseconds, kPollStepUs = 1.0;

// 145: the unlock, A0 and the byte at the current address, /OE held high; then
// DQ7 polling for up to 300 us; replies with the byte read back and advances
// the low address byte.
void programFlashByte(Box& box, std::uint8_t data) {
    SocketBus bus(box);
    const BusModeState mode = box.state<BusModeState>();
    std::array<std::uint8_t, 5> saved{};
    for (int n = 0; n < 5; ++n) saved[static_cast<std::size_t>(n)] = bus.port(n);
    const std::uint8_t direction = box.socket().registers().direction[3];
    bus.setPin(kOutputEnable, true);
    for (auto [a, d] : {std::pair<std::uint16_t, std::uint8_t>{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xA0}}) {
        SetCommandAddress(bus, a, mode.pin28());
        WriteCycle(bus, mode.writeEnablePin(), d);
    }
    for (int n : {1, 3, 0, 4}) bus.setPort(n, saved[static_cast<std::size_t>(n)]);
    bus.setPin(kOutputEnable, true);
    WriteCycle(bus, mode.writeEnablePin(), data);
    bus.releaseDataBus(0xFF);
    bus.setPin(kChipEnable, false);
    std::uint8_t back = 0;
    for (double t = 0; t < kPollMaxUs; t += kPollStepUs) {
        bus.setPin(kOutputEnable, true);
        bus.waitMicroseconds(kPollStepUs);
        bus.setPin(kOutputEnable, false);
        back = bus.readDataBus();
        if ((back & 0x80) == (data & 0x80)) break;
    }
    back = bus.readDataBus();
    bus.setPorts(saved);
    bus.releaseDataBus(direction);
    bus.advanceLowAddress();
    box.reply(back);
}


} // namespace

void installF29Ops(OpcodeTable& t) {
    installBusModeOp(t);
    t.add(op::ProgramFlash, OpcodeSpec::make("program flash byte", 1, 1, [](Box& box, std::uint8_t, OpArgs a) {
              programFlashByte(box, a[0]);
          }));
}

SimFamily F29SimFamily() {
    SimFamily f;
    f.dialogClass = kDialogClass;
    f.installOps = installF29Ops;
    f.offers = [] {
        std::vector<ChipOffer> offers;
        for (std::size_t i = 0; i < kF29Rows.size(); ++i) {
            const F29Type* type = kF29Rows[i].chip ? FindF29Type(kF29Rows[i].chip) : nullptr;
            if (!type) continue;
            offers.push_back({type->name, kDialogClass, static_cast<int>(i),
                              [type] { return std::make_shared<F29Chip>(*type); }});
        }
        // Other makers' parts of rows 3 and 5, for --chip.
        const std::pair<const char*, int> others[] = {{"SST39SF010A", 3}, {"M29F040B", 5}, {"SST39SF040", 5}};
        for (auto [name, row] : others) {
            const F29Type* type = FindF29Type(name);
            offers.push_back({type->name, kDialogClass, row, [type] { return std::make_shared<F29Chip>(*type); }});
        }
        return offers;
    };
    return f;
}

} // namespace quarvin::sim
