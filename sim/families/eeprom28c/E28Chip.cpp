#include "sim/families/eeprom28c/E28Chip.h"

#include <algorithm>

namespace quarvin::sim {

namespace {

constexpr int kA9 = 9;
constexpr int kIdentifyMillivolts = 11500;
constexpr std::uint32_t kCommandMask = 0x7FFF;

// Address pins A0.. of the two packages; the 28-pin parts have A14 on pin 1 and
// /WE on pin 27, the 32-pin ones A17 on 30 and A18 on 1.
constexpr int kAddress28[] = {10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 1};
constexpr int kAddress32[] = {12, 11, 10, 9, 8, 7, 6, 5, 27, 26, 23, 25, 4, 28, 29, 3, 2, 30, 1};

const E28Type kTypes[] = {
    {"AT28C64B", 28, 13, 64}, {"AT28C256", 28, 15, 64},  {"28C257", 32, 15, 64},
    {"28C512", 32, 16, 128},  {"AT28C010", 32, 17, 128}, {"28C020", 32, 18, 128},
    {"AT28C040", 32, 19, 256}, {"28C040A", 32, 19, 256},
};

enum Function { Vcc, Ground, ChipEnable, OutputEnable, WriteEnable };

using Load = std::pair<std::uint32_t, std::uint8_t>;
// The command addresses are decoded on the lines the part has: an 8 KiB part
// takes 5555 and 2AAA as 1555 and 0AAA.
bool Starts(const std::vector<Load>& loads, std::initializer_list<Load> prefix, std::uint32_t lines) {
    if (loads.size() < prefix.size()) return false;
    const std::uint32_t mask = kCommandMask & lines;
    std::size_t i = 0;
    for (const Load& p : prefix) {
        if ((loads[i].first & mask) != (p.first & mask) || loads[i].second != p.second) return false;
        ++i;
    }
    return true;
}

} // namespace

const E28Type* FindE28Type(const std::string& name) {
    for (const E28Type& t : kTypes)
        if (name == t.name) return &t;
    return nullptr;
}

E28Chip::E28Chip(const E28Type& type) : type_(type), cells_(std::size_t{1} << type.addressBits, 0xFF) {}

void E28Chip::erase() {
    std::fill(cells_.begin(), cells_.end(), 0xFF);
    markChanged();
}

bool E28Chip::loadExtraState(const std::vector<std::uint8_t>& state) {
    if (state.size() > 1) return false;
    protected_ = !state.empty() && state[0] != 0;
    return true;
}

int E28Chip::pin(int function) const {
    const bool p28 = type_.pins == 28;
    switch (function) {
    case Vcc: return type_.pins;
    case Ground: return type_.pins / 2;
    case ChipEnable: return p28 ? 20 : 22;
    case OutputEnable: return p28 ? 22 : 24;
    case WriteEnable: return p28 ? 27 : 31;
    }
    return 0;
}

std::uint32_t E28Chip::address(const ChipView& v) const {
    const int* pins = type_.pins == 28 ? kAddress28 : kAddress32;
    std::uint32_t a = 0;
    for (int b = 0; b < type_.addressBits; ++b)
        if (v.high(pins[b])) a |= 1u << b;
    return a;
}

// The loads of one page are complete: carry out what they ask for.
void E28Chip::endPage(std::int64_t at) {
    std::vector<Load> loads = std::move(loads_);
    loads_.clear();
    const auto lines = static_cast<std::uint32_t>(cells_.size() - 1);
    bool write = false;
    std::size_t dataFrom = 0;
    if (Starts(loads, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80}, {0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x20}}, lines) &&
        loads.size() == 6) {
        protected_ = false;
    } else if (Starts(loads, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80}, {0x5555, 0xAA}, {0x2AAA, 0x55},
                              {0x5555, 0x10}}, lines) &&
               loads.size() == 6) {
        std::fill(cells_.begin(), cells_.end(), 0xFF);
        markChanged();
    } else if (Starts(loads, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xA0}}, lines)) {
        protected_ = true;
        write = true;
        dataFrom = 3;
    } else if (!protected_) {
        write = true;
    } else {
        return; // protected: loads without the prefix are ignored
    }
    if (write) {
        // The page is the one of the first data load; loads for other pages are lost.
        const std::uint32_t pageMask = ~static_cast<std::uint32_t>(type_.pageSize - 1);
        std::uint32_t page = 0;
        bool first = true;
        for (std::size_t i = dataFrom; i < loads.size(); ++i) {
            const auto [a, d] = loads[i];
            if (first) page = a & pageMask, first = false;
            if ((a & pageMask) != page || faults().programBlocked(a)) continue;
            cells_[a] = d;
        }
        markChanged();
    }
    busy_ = true;
    busyUntil_ = at + static_cast<std::int64_t>(static_cast<double>(WriteCyclePs) * std::max(1.0, faults().eraseTimeFactor));
}

ChipDrive E28Chip::update(const ChipView& v) {
    ChipDrive out;
    const bool powered = v.hasVcc(pin(Vcc)) && v.hasGround(pin(Ground)) && v.vccMillivolts >= 4500;
    if (!powered) {
        loads_.clear();
        busy_ = false;
        weLow_ = ceLow_ = oeLow_ = false;
        return out;
    }
    if (!loads_.empty() && v.nowPs > lastLoadPs_ + LoadWindowPs) endPage(lastLoadPs_ + LoadWindowPs);
    if (busy_ && v.nowPs >= busyUntil_) busy_ = false;
    const bool ce = v.low(pin(ChipEnable)), oe = v.low(pin(OutputEnable)), we = v.low(pin(WriteEnable));
    const std::uint32_t a = address(v);
    if (weLow_ && !we && ce && !oe && !busy_) {
        std::uint8_t d = 0;
        for (int b = 0; b < 8; ++b) {
            const int g = pin(Ground);
            const int dp = b < 3 ? g - 3 + b : g + 1 + (b - 3);
            if (v.high(dp)) d = static_cast<std::uint8_t>(d | (1u << b));
        }
        loads_.emplace_back(a, d);
        lastLoadPs_ = v.nowPs;
        lastByte_ = d;
    }
    if (ce && oe && !(ceLow_ && oeLow_)) toggle_ = !toggle_;
    weLow_ = we;
    ceLow_ = ce;
    oeLow_ = oe;
    if (!ce || !oe) return out;
    std::uint8_t value;
    if (busy_) {
        value = static_cast<std::uint8_t>((~lastByte_ & 0x80) | (toggle_ ? 0x40 : 0x00));
    } else if (v.vppAt(type_.pins == 28 ? kAddress28[kA9] : kAddress32[kA9]) >= kIdentifyMillivolts) {
        value = 0xFF; // the identification row, never written here
    } else {
        value = faults().applyStuck(a, cells_[a]);
    }
    for (int b = 0; b < 8; ++b) {
        const int g = pin(Ground);
        out.drive(b < 3 ? g - 3 + b : g + 1 + (b - 3), (value >> b) & 1);
    }
    return out;
}

} // namespace quarvin::sim
