#include "families/memory/TP27x.h"

#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

constexpr int kSettleTicks = 100;

// Where the address bits above A7 go: port image byte and bit. Bits with two
// entries drive two socket pins so that 28- and 32-pin types both see them.
struct AddressLine {
    int bit;
    int port;
    std::uint8_t mask;
};
constexpr AddressLine kHighLines[] = {
    {8, 3, 0x20},  {9, 3, 0x10},  {10, 3, 0x02}, {11, 3, 0x08}, {12, 0, 0x80}, {12, 4, 0x20},
    {13, 3, 0x40}, {14, 3, 0x80}, {15, 0, 0x40}, {15, 4, 0x10}, {16, 0, 0x20}, {17, 4, 0x01},
    {18, 4, 0x02}, {19, 0, 0x10},
};
// The 28-pin types have no lines above A15.
constexpr int kLastBit28Pin = 15;

constexpr std::array<std::uint8_t, 5> kBase24And32Pin{0x0F, 0x00, 0xFF, 0x01, 0x00};
constexpr std::array<std::uint8_t, 5> kBase28Pin{0x1F, 0x00, 0xFF, 0x01, 0x02};

const char* kReading = "Reading...";
const char* kBlanking = "Blank...";
const char* kProgramming = "Programming...";
const char* kVerifying = "Verify...";
const char* kSumming = "Check Sum";
const char* kOk = "OK!";
const char* kBlankOk = "Blank OK";
const char* kVerifyOk = "Verify OK";
const char* kProgramFailed = "Programe Failured!";
const char* kStopped = "Failured!";

} // namespace

std::array<std::uint8_t, 5> EncodeEpromAddress(std::uint32_t a, int supplyPin) {
    const bool pin28 = supplyPin == Supply28;
    std::array<std::uint8_t, 5> ports = pin28 ? kBase28Pin : kBase24And32Pin;
    // A0 on socket pin 16 (port 1 bit 7) down to A7 on pin 9 (bit 0).
    for (int b = 0; b < 8; ++b)
        if (a & (1u << b)) ports[LowAddressPort] |= static_cast<std::uint8_t>(0x80 >> b);
    for (const AddressLine& line : kHighLines) {
        if (pin28 && line.bit > kLastBit28Pin) continue;
        if (a & (1u << line.bit)) ports[static_cast<std::size_t>(line.port)] |= line.mask;
    }
    return ports;
}

std::uint8_t EpromPulseCount(const EpromRow& row, int proTimeIndex) {
    if (proTimeIndex < 0) proTimeIndex = 0;
    int count = row.pulseBase * (proTimeIndex + 1);
    if (count > 255) count = 255;
    return static_cast<std::uint8_t>(count & 0xFF);
}

TP27x::TP27x(DeviceContext& ctx) : MemoryDialog(ctx, "TP27x", "P27") {}

const EpromRow& TP27x::row() const {
    return kEpromRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kEpromRows.size())))];
}

void TP27x::setAddress(std::uint32_t a) {
    const EpromRow& r = row();
    portImage_ = EncodeEpromAddress(a | r.highAddressMask(), r.supplyPin);
    writePortImage();
}

std::uint8_t TP27x::programOne(const EpromRow& r, std::uint8_t d) {
    std::uint8_t back = ProgramByte(link(), static_cast<std::uint8_t>(r.programOpcode & 0xFF), d);
    return r.readBackCheck ? back : d;
}

void TP27x::ReadClick() {
    const EpromRow& r = row();
    setMessage(kReading, false);
    PinLow(link(), ChipEnable);
    PinLow(link(), OutputEnable);
    Delay(link(), kSettleTicks);
    powerUp(r.supplyPin, true);
    SetDataWidth(link(), readBusMode_);
    setAddress(0);
    // Always from device address 0 into buffer offset 0; Length bounds the count.
    std::uint32_t i = 0;
    for (; i <= r.lastAddress; ++i) {
        if (i % 256 == 0) {
            setAddress(i);
            showProgress(i + 255);
        }
        buffer()[i] = ReadNextByte(link());
        if (i >= length()) break;
    }
    showProgress(i);
    powerDownAfterRead();
    docs().refreshHexWindow();
    setMessage(kOk, false);
}

void TP27x::BlankClick() {
    const EpromRow& r = row();
    setMessage(kBlanking, true);
    Delay(link(), kSettleTicks);
    powerUp(r.supplyPin, true);
    SetDataWidth(link(), readBusMode_);
    PinLow(link(), ChipEnable);
    PinLow(link(), OutputEnable);
    setAddress(deviceStart());
    std::uint32_t p = 0;
    for (; p <= r.lastAddress; p += 256) {
        setAddress(p);
        if (p % 4096 == 0) showProgress(p);
        if (!BlankCheckPage(link())) {
            failRead(Format("%06x: Not blank ", p));
            return;
        }
    }
    setMessage(kBlankOk, false);
    setFailure(0);
    showProgress(p - 1);
    powerDownAfterRead();
}

void TP27x::WriteClick() {
    const EpromRow& r = row();
    if (r.programOpcode < op::ProgramFirst || r.programOpcode > op::ProgramLast) {
        // The placeholder row has no program command; sending its 0 would power
        // the box down in the middle of the sequence.
        setFailure(1);
        setMessage(kProgramFailed, false);
        return;
    }
    SetPulseCount(link(), EpromPulseCount(r, control("RadioGroup1").itemIndex()));
    SetVppLevel(link(), r.vppMillivolts);
    setMessage(kProgramming, true);
    powerUp(r.supplyPin, true);
    SetDataWidth(link(), writeBusMode_);
    setAddress(deviceStart());
    PinHigh(link(), ProgramEnable);
    PinLow(link(), OutputEnable);
    PinHigh(link(), ChipEnable);
    // The 2716 takes its program pulse on /CE, which idles low.
    if (r.vppPin == Pin24Vpp) PinLow(link(), ChipEnable);
    ConnectVpp(link(), r.vppPin);

    const bool checkEach = control("RadioGroup2").itemIndex() != 1;
    const Span s = fieldSpan();
    const std::uint8_t* data = buffer().data();
    for (std::uint32_t i = 0; i < s.count; ++i) {
        const std::uint32_t a = s.device + i;
        const std::uint8_t d = data[s.buffer + i];
        if (a % 256 == 0) {
            setAddress(a);
            showProgress(a);
        }
        if (programOne(r, d) != d && checkEach) {
            failProgram(kProgramFailed);
            return;
        }
    }
    const std::uint32_t end = s.device + s.count;
    showProgress(end == 0 ? 0 : end - 1);
    setFailure(0);
    setMessage(kOk, false);
    powerDownAfterProgram();
}

void TP27x::VerifyClick() {
    const EpromRow& r = row();
    setMessage(kVerifying, true);
    clearStop();
    powerUp(r.supplyPin, true);
    SetDataWidth(link(), readBusMode_);
    PinLow(link(), ChipEnable);
    PinLow(link(), OutputEnable);
    Delay(link(), kSettleTicks);
    setAddress(deviceStart());
    const Span s = fieldSpan();
    const std::uint8_t* data = buffer().data();
    for (std::uint32_t i = 0; i < s.count; ++i) {
        const std::uint32_t a = s.device + i;
        if (a % 256 == 0) setAddress(a);
        const std::uint8_t v = ReadNextByte(link());
        if (i % 512 == 0) {
            showProgress(a);
            if (stopPoll()) {
                failRead(kStopped);
                return;
            }
        }
        const std::uint8_t want = data[s.buffer + i];
        if (v != want) {
            failRead(Format("%06x:Bad! (file=%02x,Device=%02x)", a, want, v));
            return;
        }
    }
    setMessage(kVerifyOk, false);
    setFailure(0);
    const std::uint32_t end = s.device + s.count;
    showProgress(end == 0 ? 0 : end - 1);
    powerDownAfterRead();
}

void TP27x::CheckSumClick() {
    const EpromRow& r = row();
    setMessage(kSumming, true);
    powerUp(r.supplyPin, false);
    SetDataWidth(link(), readBusMode_);
    std::uint32_t sum = 0;
    for (std::uint32_t p = 0; p <= r.lastAddress; p += 256) {
        setAddress(p);
        if (p % 4096 == 0) showProgress(p | 0xFFF);
        sum += SumPage(link());
    }
    setMessage(Format("Sum = %08x", sum), false);
    ConnectVcc(link(), 0);
}

} // namespace quarvin
