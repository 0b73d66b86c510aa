#include "sim/Socket.h"

#include "families/placement/SocketPlacement.h"
#include "link/commands/Opcodes.h"
#include "sim/ChipRatings.h"

namespace quarvin::sim {

namespace {

// Socket pin of each logic index 0..37 (ports 0..4, bit 0 first).
constexpr std::array<int, 38> makeIndexPins() {
    std::array<int, 38> pins{};
    for (int p = 1; p <= 39; ++p)
        if (pin::portIndex(p) >= 0) pins[pin::portIndex(p)] = p;
    return pins;
}
constexpr auto IndexPins = makeIndexPins();

// Spreads an 8-bit register over socket pins: bit b -> pins[b] (0 = no pin).
PinMask spread(std::uint8_t v, const std::array<int, 8>& pins) {
    PinMask m = 0;
    for (int b = 0; b < 8; ++b)
        if ((v >> b & 1) && pins[b]) m |= socketBit(pins[b]);
    return m;
}

// The same for every value of a register, looked up on each write: register
// writes are most of the box's work.
struct SpreadTable {
    std::array<PinMask, 256> masks{};
    explicit SpreadTable(const std::array<int, 8>& pins) {
        for (int v = 0; v < 256; ++v) masks[v] = spread(static_cast<std::uint8_t>(v), pins);
    }
    PinMask operator()(std::uint8_t v) const { return masks[v]; }
};

std::array<int, 8> outputPortPins(int n) {
    std::array<int, 8> pins{};
    for (int b = 0; b < 8; ++b)
        if (8 * n + b < 38) pins[b] = IndexPins[8 * n + b];
    return pins;
}

// Direction bits per register (1 = input).
constexpr std::array<int, 8> Dir0Pins{26, 27, 28, 29, 30, 31, 0, 0};
constexpr std::array<int, 8> Dir1Pins{9, 10, 11, 12, 13, 14, 15, 16};
constexpr std::array<int, 8> Dir2Pins{34, 35, 36, 37, 38, 39, 0, 0};
constexpr std::array<int, 8> Dir3Pins{17, 18, 19, 21, 22, 23, 24, 25};
constexpr std::array<int, 8> Dir4Pins{32, 33, 0, 0, 0, 0, 0, 0};
constexpr std::array<int, 8> Ctrl0Pins{1, 2, 3, 4, 5, 6, 7, 8};
constexpr std::array<int, 8> Ctrl1Pins{0, 0, 0, 0, 0, 0, 40, 20};
// Switch latches.
constexpr std::array<int, 8> VppAPins{1, 5, 7, 9, 10, 11, 12, 15};
constexpr std::array<int, 8> VppBPins{20, 28, 29, 30, 31, 34, 0, 0};
constexpr std::array<int, 8> VccAPins{8, 17, 25, 27, 28, 30, 32, 34};   // bit clear = Vcc
constexpr std::array<int, 8> VccGndVccPins{36, 40, 26, 0, 0, 0, 0, 0}; // bit clear = Vcc
constexpr std::array<int, 8> GndPins{0, 0, 0, 25, 10, 16, 20, 31};     // bit set = ground

PinMask lowBits(int n) { return n >= 64 ? ~PinMask{0} : (PinMask{1} << n) - 1; }

} // namespace

int vppCodeMillivolts(int code) {
    switch (code) {
    case 2: return 10000;
    case 3: return 10800;
    case 4: return 12000;
    case 5: return 12700;
    case 8: return 13300;
    case 9: return 14000;
    case 7: return 21000;
    case 12: return 25000;
    default: return 0;
    }
}

Socket::Socket() { derive(); }

void Socket::setGroundSwitchOn31(bool fitted) {
    groundSwitch31_ = fitted;
    derive();
}

void Socket::writeDirection(int n, std::uint8_t v) {
    if (n < 0 || n >= 5) return;
    regs_.direction[n] = v;
    derive();
}

void Socket::writeControl(int n, std::uint8_t v) {
    if (n < 0 || n >= 2) return;
    regs_.control[n] = v;
    derive();
}

void Socket::writeMode(std::uint8_t v) { regs_.mode = v; derive(); }

void Socket::writePort(int n, std::uint8_t v) {
    if (n < 0 || n >= 5) return;
    regs_.port[n] = v;
    derive();
}

void Socket::writeVppLatchA(std::uint8_t v) { regs_.vppA = v; derive(); }
void Socket::writeVppLatchB(std::uint8_t v) { regs_.vppB = v; derive(); }
void Socket::writeVccLatchA(std::uint8_t v) { regs_.vccA = v; derive(); }
void Socket::writeVccGndLatch(std::uint8_t v) { regs_.vccGnd = v; derive(); }

void Socket::setPinOutput(int p, bool high) {
    if (p == pin::Ground) { regs_.pin20High = high; derive(); return; }
    if (p == pin::Top) { regs_.pin40High = high; derive(); return; }
    const int i = pin::portIndex(p);
    if (i < 0) return;
    auto& port = regs_.port[i >> 3];
    const std::uint8_t bit = static_cast<std::uint8_t>(1u << (i & 7));
    port = static_cast<std::uint8_t>(high ? (port | bit) : (port & ~bit));
    derive();
}

void Socket::powerOff() {
    const Registers fresh;
    regs_.direction = fresh.direction;
    regs_.control = fresh.control;
    regs_.mode = fresh.mode;
    regs_.vppA = fresh.vppA;
    regs_.vppB = fresh.vppB;
    regs_.vccA = fresh.vccA;
    regs_.vccGnd = fresh.vccGnd;
    derive();
}

int Socket::vppMillivolts() const { return vppCodeMillivolts(vppCode()); }

int Socket::vccMillivolts() const {
    return (regs_.vppB & 0x80) ? NormalVccMillivolts : RaisedVccMillivolts;
}

int Socket::clockPin() const {
    switch (clockMode()) {
    case 1: return 19;
    case 2: return 15;
    default: return 0; // mode 4 clocks the box's own bus logic, no socket pin
    }
}

void Socket::derive() {
    static const SpreadTable dir0(Dir0Pins), dir1(Dir1Pins), dir2(Dir2Pins), dir3(Dir3Pins),
        dir4(Dir4Pins), ctrl0(Ctrl0Pins), ctrl1(Ctrl1Pins), vccA(VccAPins), vccGndVcc(VccGndVccPins),
        gnd(GndPins), vppA(VppAPins), vppB(VppBPins);
    static const SpreadTable ports[5] = {SpreadTable(outputPortPins(0)), SpreadTable(outputPortPins(1)),
                                         SpreadTable(outputPortPins(2)), SpreadTable(outputPortPins(3)),
                                         SpreadTable(outputPortPins(4))};
    const auto& r = regs_;
    const PinMask inputs = dir0(r.direction[0]) | dir1(r.direction[1]) | dir2(r.direction[2]) |
                           dir3(r.direction[3]) | dir4(r.direction[4]) | ctrl0(r.control[0]) |
                           ctrl1(r.control[1]);
    boxDriven_ = AllSocketPins & ~inputs;

    PinMask level = 0;
    for (int n = 0; n < 5; ++n) level |= ports[n](r.port[n]);
    if (r.pin20High) level |= socketBit(pin::Ground);
    if (r.pin40High) level |= socketBit(pin::Top);
    boxLevel_ = level;

    vcc_ = vccA(static_cast<std::uint8_t>(~r.vccA)) | vccGndVcc(static_cast<std::uint8_t>(~r.vccGnd));
    ground_ = gnd(r.vccGnd);
    if (!groundSwitch31_) ground_ &= ~socketBit(31);
    vpp_ = vppA(r.vppA) | vppB(r.vppB);
    dirty_ = true;
}

PinMask Socket::toChip(PinMask m) const {
    if (seating_.plain()) return ((m >> offset_) & lowBits(half_)) | (((m >> 20) & lowBits(half_)) << half_);
    PinMask c = 0;
    for (int k = 1; k <= 2 * half_; ++k)
        if (contactOf_[k] && (m & socketBit(contactOf_[k]))) c |= pinBit(k);
    return c;
}

PinMask Socket::toSocket(PinMask m) const {
    if (seating_.plain()) return ((m & lowBits(half_)) << offset_) | (((m >> half_) & lowBits(half_)) << 20);
    PinMask s = 0;
    for (int k = 1; k <= 2 * half_; ++k)
        if (contactOf_[k] && (m & pinBit(k))) s |= socketBit(contactOf_[k]);
    return s;
}

void Socket::seat(const Seating& seating) {
    seating_ = seating;
    contactOf_.fill(0);
    openChipPins_ = 0;
    const int n = 2 * half_;
    for (int k = 1; k <= n; ++k) {
        // Turned round, chip pin k sits where pin k + n/2 would; higher rows move
        // the left-hand pins towards 1 and the right-hand ones towards 40.
        const int place = seating.reversed ? (k - 1 + half_) % n + 1 : k;
        const int socketPin = place <= half_ ? offset_ + place - seating.rowsHigher
                                             : kSocketRowPins + (place - half_) + seating.rowsHigher;
        const bool onItsSide = place <= half_ ? socketPin >= 1 : socketPin <= kSocketPins;
        if (onItsSide && !(seating.openContacts & pinBit(k))) contactOf_[k] = socketPin;
        else openChipPins_ |= pinBit(k);
    }
    dirty_ = true;
}

// With no supply on any Vcc pin, a pin the box holds low pulls what its diodes
// join to it: the Vcc pin every clamped pin and the ground pin, a clamped pin
// the ground pin. Pins the box drives and pins the model drives keep their level.
PinMask Socket::unpoweredLows(const ChipView& view, const ChipDrive& drive) const {
    if (!clampPins_ || (view.driven & view.level & supplyPins_)) return 0;
    const PinMask heldLow = view.driven & ~view.level;
    const bool railLow = (heldLow & supplyPins_) != 0;
    const bool groundLow = railLow || (heldLow & (groundPins_ | clampPins_)) != 0;
    PinMask low = railLow ? clampPins_ | supplyPins_ : 0;
    if (groundLow) low |= groundPins_;
    return low & ~view.driven & ~drive.enable & ~openChipPins_;
}

void Socket::insert(std::shared_ptr<Chip> chip) {
    chip_ = std::move(chip);
    chipEnable_ = chipLevel_ = contention_ = 0;
    if (chip_) {
        int n = chip_->pinCount();
        if (n < 2) n = 2;
        if (n > 40) n = 40;
        n &= ~1;
        half_ = n / 2;
        offset_ = (40 - n) / 2;
    } else {
        half_ = offset_ = 0;
    }
    supplyPins_ = groundPins_ = clampPins_ = 0;
    if (chip_) {
        const ChipRatings r = chip_->ratings();
        supplyPins_ = r.supply;
        groundPins_ = r.ground;
        const quarvin::Pinout labels = chip_->pinLabels();
        for (std::size_t k = 0; k < labels.size(); ++k) {
            if (labels[k].role == PinRole::Vcc) supplyPins_ |= pinBit(static_cast<int>(k) + 1);
            if (labels[k].role == PinRole::Ground) groundPins_ |= pinBit(static_cast<int>(k) + 1);
        }
        clampPins_ = chip_->unpoweredClamps();
    }
    seat(chip_ ? chip_->faults().seating : Seating{});
    referee_.setChip(chip_.get());
    dirty_ = true;
}

PinMask Socket::chipDrivenPins() const { return chipEnable_; }

void Socket::refresh(std::int64_t nowPs) {
    if (!chipPresent()) {
        chipEnable_ = chipLevel_ = contention_ = 0;
        referee_.forgetView();
        dirty_ = false;
        return;
    }
    if (chip_->faults().seating != seating_) seat(chip_->faults().seating);
    if (!dirty_ && nowPs == lastRefreshPs_) return;
    // The box side alone: switches first (ground over Vcc over Vpp), then the
    // logic driver, pull-ups elsewhere.
    const int vppMv = vppMillivolts();
    const PinMask vppLive = vppMv > 0 ? vpp_ : 0;
    const PinMask forcedHigh = (vcc_ | vppLive) & ~ground_;
    const PinMask sideDriven = boxDriven_ | vcc_ | vppLive | ground_;
    PinMask sideLevel = (~sideDriven & AllSocketPins) | (boxDriven_ & boxLevel_);
    sideLevel = (sideLevel | forcedHigh) & ~ground_;

    ChipView view;
    // A pin without contact floats; the models read it as high.
    view.level = toChip(sideLevel) | openChipPins_;
    view.driven = toChip(sideDriven);
    view.vcc = toChip(vcc_);
    view.ground = toChip(ground_);
    view.vpp = toChip(vpp_);
    const int cp = clockPin();
    view.clock = cp ? toChip(socketBit(cp)) : 0;
    view.vccMillivolts = vccMillivolts();
    view.vppMillivolts = vppMv;
    view.clockHz = cp ? clockHz_ : 0;
    view.nowPs = nowPs;

    ChipDrive d = chip_->update(view);
    const PinMask clampedLow = unpoweredLows(view, d);
    d.enable |= clampedLow;
    d.level &= ~clampedLow;
    const PinMask chipPins = toSocket(lowBits(2 * half_));
    chipEnable_ = toSocket(d.enable) & chipPins;
    chipLevel_ = toSocket(d.level) & chipEnable_;
    const PinMask clash = chipEnable_ & sideDriven & (chipLevel_ ^ sideLevel);
    if (clash && clash != contention_) ++contentionEvents_;
    contention_ = clash;
    referee_.observe(view, toChip(clash));
    lastRefreshPs_ = nowPs;
    dirty_ = false;
}

PinMask Socket::levels(std::int64_t nowPs) {
    refresh(nowPs);
    const int vppMv = vppMillivolts();
    const PinMask vppLive = vppMv > 0 ? vpp_ : 0;
    const PinMask sideDriven = boxDriven_ | vcc_ | vppLive | ground_;
    PinMask level = (boxDriven_ & boxLevel_) | (chipEnable_ & chipLevel_ & ~sideDriven) |
                    (~(sideDriven | chipEnable_) & AllSocketPins);
    level = (level | ((vcc_ | vppLive) & ~ground_)) & ~ground_;
    return level & AllSocketPins;
}

std::uint8_t Socket::readInputPort(int n, std::int64_t nowPs) {
    if (n < 0 || n >= 5) return 0xFF;
    const PinMask lv = levels(nowPs);
    std::uint8_t v = 0;
    for (int b = 0; b < 8; ++b) {
        const int i = 8 * n + b;
        const bool high = i >= 38 || (lv & socketBit(IndexPins[i]));
        if (high) v = static_cast<std::uint8_t>(v | (1u << b));
    }
    return v;
}

std::uint8_t Socket::readStatus(std::int64_t nowPs) {
    const PinMask lv = levels(nowPs);
    std::uint8_t s = 0;
    if (lv & socketBit(pin::Ground)) s |= pin::StatusPin20;
    if (lv & socketBit(pin::Top)) s |= pin::StatusPin40;
    return s;
}

} // namespace quarvin::sim
