#include "sim/families/w27e/W27eChip.h"

#include "sim/ChipRatings.h"

#include <algorithm>

namespace quarvin::sim {

namespace {

constexpr int kA0 = 0, kA9 = 9;

// Pinouts as the data sheets give them: the 28-pin parts like the 27C256 (Vpp on
// pin 1) and the 27C512 (/OE doubling as Vpp); the 32-pin 010/020 with /PGM on
// pin 31, the 040 with A18 there and Vpp on pin 1.
// Identification: maker DA (Winbond). The W27E257's device code 02 is
// confirmed by a published signature reading; the codes of the 512 (08), 010
// (01), 020 (03) and 040 (04) are unconfirmed: no data sheet table with them was
// found. They match data/devices.src, so a change goes in both places.
const W27eType kTypes[] = {
    {{"W27E257", 28, 15, 20, 22, 1, 0, EpromStrobe::ChipEnableLow, 0xDA, 0x02}, W27eEraseStrobe::OutputEnableLow},
    {{"W27E512", 28, 16, 20, 22, 22, 0, EpromStrobe::ChipEnableLow, 0xDA, 0x08}, W27eEraseStrobe::ChipEnableLow},
    {{"W27E010", 32, 17, 22, 24, 1, 31, EpromStrobe::ProgramLow, 0xDA, 0x01}, W27eEraseStrobe::ProgramLow},
    {{"W27E020", 32, 18, 22, 24, 1, 31, EpromStrobe::ProgramLow, 0xDA, 0x03}, W27eEraseStrobe::ProgramLow},
    {{"W27E040", 32, 19, 22, 24, 1, 0, EpromStrobe::ChipEnableLow, 0xDA, 0x04}, W27eEraseStrobe::ChipEnableLow},
};

constexpr int kProgramMillivolts = 12000;

} // namespace

const W27eType* FindW27eType(const std::string& name) {
    for (const W27eType& t : kTypes)
        if (name == t.eprom.name) return &t;
    return nullptr;
}

W27eChip::W27eChip(const W27eType& type, std::string label)
    : EpromChip(type.eprom, kProgramMillivolts, std::move(label)), w27e_(type) {}

bool W27eChip::eraseStrobe(const ChipView& v) const {
    const EpromType& t = type();
    switch (w27e_.strobe) {
    case W27eEraseStrobe::ProgramLow: return v.low(t.program) && v.high(t.outputEnable);
    case W27eEraseStrobe::ChipEnableLow: return true; // /CE low is checked with the other conditions
    case W27eEraseStrobe::OutputEnableLow: return v.low(t.outputEnable);
    }
    return false;
}

ChipDrive W27eChip::update(const ChipView& v) {
    const EpromType& t = type();
    const bool powered = v.hasVcc(t.vccPin()) && v.hasGround(t.groundPin()) && v.vccMillivolts >= 4500;
    const bool erasing = powered && v.vppAt(t.vpp) >= EraseMillivolts && v.vppAt(t.addressPin(kA9)) >= EraseMillivolts &&
                         v.low(t.chipEnable) && v.low(t.addressPin(kA0)) && eraseStrobe(v);
    if (!erasing) {
        strobeSincePs_ = -1;
        erasedThisStrobe_ = false;
    } else if (strobeSincePs_ < 0) {
        strobeSincePs_ = v.nowPs;
    } else if (!erasedThisStrobe_) {
        const double needed = static_cast<double>(EraseTimePs) * std::max(1.0, faults().eraseTimeFactor);
        if (static_cast<double>(v.nowPs - strobeSincePs_) >= needed) {
            erase();
            erasedThisStrobe_ = true;
        }
    }
    return EpromChip::update(v);
}

// Unconfirmed: no Winbond W27E data sheet was at hand. The figures below are
// kept as they were first written ("voltage on all pins with respect to ground
// except Vpp, A9 and Vcc pins: -0.5 to Vcc + 0.5 V"; Vpp and A9 "-0.5 to
// +14.5 V"; Vcc -0.5 to +7.0 V), 7 V on any signal pin, and nothing is known of
// the unpowered pins, so the socket check tests none of them.
ChipRatings W27eChip::ratings() const {
    ChipRatings r = EpromChip::ratings();
    r.signalMaxMillivolts = rating::Signal7V;
    r.vppMaxMillivolts = 14500;
    r.idMaxMillivolts = 14500;
    r.unpoweredInputs = UnpoweredInputs::Forbidden;
    r.unpoweredPinsConfirmed = false;
    return r;
}

} // namespace quarvin::sim
