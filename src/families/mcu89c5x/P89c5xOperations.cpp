#include "families/mcu89c5x/P89c5xOperations.h"

#include <memory>

#include "families/mcu89c5x/P89c5xPins.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "platform/Platform.h"
#include "forms/Texts.h"

namespace quarvin {

namespace socket = p89pin;

namespace {

// Delay ticks of the sequences.
constexpr int kPortsSettleTicks = 200;
constexpr int kXtalTicks = 10;
constexpr int kClockStartTicks = 1000;
constexpr int kVppOffTicks = 200;
constexpr int kStepTicks = 100;
constexpr int kEraseLowTicks = 200;
constexpr int kEraseRecoveryTicks = 5000;
constexpr int kLockPulseTicks = 20;
constexpr int kSpeedUnitTicks = 10;
constexpr int kNormalVcc = 5;
constexpr int kLockCheckReads = 129;
constexpr std::uint32_t kSignatureAddress = 0x30;

constexpr std::uint32_t kReadProgressEvery = 16;
constexpr std::uint32_t kVerifyProgressEvery = 32;
constexpr std::uint32_t kProgramProgressMask = 0x0F;

// Supply, clock on XTAL1, RST high, PSEN low, ALE/PROG and EA high; every port
// high, so the address lines stand at all ones.
void PowerUp(LinkState& link) {
    WriteAllPorts(link, 0);
    Delay(link, kPortsSettleTicks);
    SetDataWidth(link, socket::DataBusOut);
    SetPinLatch(link, socket::ReadyBusy, 1);
    ConnectGround(link, socket::Ground);
    ConnectVcc(link, socket::Vcc);
    WriteAllPorts(link, 0xFF);
    SetDataWidth(link, socket::DataBusIn);
    SetVccLevel(link, kNormalVcc);
    SetPinLatch(link, socket::Xtal2, 1);
    Delay(link, kXtalTicks);
    SetPinLatch(link, socket::Xtal1, 1);
    ConnectClock(link, socket::Xtal1);
    Delay(link, kClockStartTicks);
    ConnectVpp(link, 0);
    Delay(link, kVppOffTicks);
    PinHigh(link, socket::Rst);
    PinLow(link, socket::Psen);
    PinHigh(link, socket::AleProg);
    PinHigh(link, socket::EaVpp);
}

void ControlPins(LinkState& link) {
    PinHigh(link, socket::Rst);
    PinLow(link, socket::Psen);
    PinHigh(link, socket::AleProg);
    PinHigh(link, socket::EaVpp);
}

void ModePins(LinkState& link, const P89c5xMode& m) {
    SetPin(link, m.p26, socket::P26);
    SetPin(link, m.p27, socket::P27);
    SetPin(link, m.p36, socket::P36);
    SetPin(link, m.p37, socket::P37);
}

void ReadSetup(LinkState& link, const P89c5xMode& mode) {
    SetDataWidth(link, socket::DataBusIn);
    SetPinLatch(link, socket::Xtal2, 1);
    SetPinLatch(link, socket::Xtal1, 1);
    ControlPins(link);
    ModePins(link, mode);
}

void WriteSetup(LinkState& link) {
    SetDataWidth(link, socket::DataBusOut);
    SetPinLatch(link, socket::Xtal2, 1);
    SetPinLatch(link, socket::Xtal1, 1);
}

// The address pins: A0..A7 on port 0, A8..A12 beside the pins 17..19 that
// port 2 also carries (kept as they read), A13 and A14 on their own pins.
class Address {
public:
    explicit Address(LinkState& link) : link_(link) {}
    void set(std::uint32_t a) {
        const std::uint8_t keep = ReadPort(link_, socket::HighAddressPort) & socket::PinsBelowA8;
        const auto high = static_cast<std::uint8_t>(keep | (((a >> 8) & 0x1F) << socket::A8Shift));
        SetPin(link_, (a >> 13) & 1, socket::A13);
        SetPin(link_, (a >> 14) & 1, socket::A14);
        current_ = a;
        WritePort(link_, socket::LowAddressPort, static_cast<std::uint8_t>(a & 0xFF));
        WritePort(link_, socket::HighAddressPort, high);
    }
    // The next address; only its low byte goes out.
    void next() {
        ++current_;
        WritePort(link_, socket::LowAddressPort, static_cast<std::uint8_t>(current_ & 0xFF));
    }
    // At address 0 and at each page start the whole address goes out.
    void at(std::uint32_t a) {
        if ((a & 0xFF) == 0) set(a);
    }

private:
    LinkState& link_;
    std::uint32_t current_ = 0;
};

OperationResult StoppedAfterRead(LinkState& link, std::uint32_t a) {
    ConnectVcc(link, 0);
    return OperationResult::stopped(a);
}

struct Signature {
    std::array<std::uint8_t, 3> bytes{};
    std::uint32_t packed() const {
        return std::uint32_t{bytes[0]} << 16 | std::uint32_t{bytes[1]} << 8 | bytes[2];
    }
};

// Power-up, read signature mode, the bytes at 0x30..0x32, power off.
Signature ReadSignatureBytes(LinkState& link) {
    PowerUp(link);
    ReadSetup(link, kReadSignature);
    Address address(link);
    Signature s;
    for (std::uint32_t i = 0; i < s.bytes.size(); ++i) {
        address.set(kSignatureAddress + i);
        s.bytes[i] = ReadDataByte(link);
    }
    Delay(link, kStepTicks);
    WriteAllPorts(link, 0xFF);
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    return s;
}

std::string SignatureText(const Signature& s) {
    return Format("ID = %02x,%02x,%02x", s.bytes[0], s.bytes[1], s.bytes[2]);
}

std::optional<OperationResult> SignatureCheck(const P89c5xJob& job) {
    return SignatureQuestion(ReadSignatureBytes(job.link).bytes, job.expectedSignature, job.hooks, job.prompts,
                             kSignatureAddress);
}

void ProgramOneByte(const P89c5xJob& job, std::uint8_t value, ProgramSpeed speed) {
    LinkState& link = job.link;
    WriteDataByte(link, value);
    PinHigh(link, socket::P27);
    PinLow(link, socket::AleProg);
    Delay(link, job.row.pulseTicks);
    PinHigh(link, socket::AleProg);
    PinLow(link, socket::P27);
    for (int i = 0; i <= static_cast<int>(speed); ++i) Delay(link, kSpeedUnitTicks);
}

void WriteLockBit(LinkState& link, const P89c5xMode& mode) {
    SetPin(link, mode.p27, socket::P27);
    SetPin(link, mode.p36, socket::P36);
    SetPin(link, mode.p37, socket::P37);
    ConnectVpp(link, socket::EaVpp);
    Delay(link, kStepTicks);
    PinLow(link, socket::AleProg);
    Delay(link, kLockPulseTicks);
    PinHigh(link, socket::AleProg);
    Delay(link, kLockPulseTicks);
    ConnectVpp(link, 0);
}

} // namespace

std::optional<OperationResult> CheckP89c5xPresence(LinkState& link) {
    ConnectGround(link, socket::Ground);
    ConnectVcc(link, socket::Vcc);
    PinHigh(link, socket::Rst);
    PinLow(link, socket::Rst);
    return CheckPresence(link, socket::Xtal1, socket::Xtal2);
}

namespace {

// The code memory from address 0 through the range's end, one read a byte; at
// each page start the whole address, which reads the high address port.
McuReadRun ReadCode(const P89c5xJob& job, std::uint32_t progressEvery,
                    const std::function<bool(std::uint32_t a, std::uint8_t v)>& take) {
    auto address = std::make_shared<Address>(job.link);
    McuReadLoop loop;
    loop.last = job.range.last();
    loop.rowLast = job.range.rowLast;
    loop.progressEvery = progressEvery;
    loop.repliesBeforeEvery = 0x100;
    loop.before = [address](std::uint32_t a) { address->at(a); };
    return ReadMcuBytes(
        job.link, loop, job.hooks, op::ReadData, [address](std::uint32_t) { address->next(); }, take);
}

} // namespace

OperationResult ReadP89c5x(const P89c5xJob& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89c5xPresence(link)) return *refusal;
    PowerUp(link);
    job.hooks.say(QV_TEXT("正在读..."), true);
    Delay(link, kStepTicks);
    ReadSetup(link, kReadCode);
    StagedRead read(job.range.last());
    const McuReadRun run = ReadCode(job, kReadProgressEvery, [&](std::uint32_t a, std::uint8_t v) {
        read[a] = v;
        return true;
    });
    read.commit(job.buffer, run);
    if (run.end == McuReadRun::End::Stopped) return StoppedAfterRead(link, run.at);
    job.hooks.show(job.range.last(), job.range.rowLast);
    ConnectVcc(link, 0);
    return OperationResult::done("OK");
}

OperationResult EraseP89c5x(const P89c5xJob& job) {
    if (job.row.otp) return OperationResult::refused(QV_TEXT("An OTP part cannot be erased"));
    LinkState& link = job.link;
    if (auto refusal = CheckP89c5xPresence(link)) return *refusal;
    PowerUp(link);
    WriteSetup(link);
    PinHigh(link, socket::P26);
    PinLow(link, socket::P27);
    PinHigh(link, socket::P33);
    PinLow(link, socket::P36);
    PinLow(link, socket::P37);
    ConnectVpp(link, socket::EaVpp);
    Delay(link, kStepTicks);
    PinLow(link, socket::AleProg);
    Delay(link, kEraseLowTicks);
    PinHigh(link, socket::AleProg);
    Delay(link, kEraseRecoveryTicks);
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    return OperationResult::done(QV_TEXT("Erase ok"));
}

namespace {

// Where a comparison of the code memory with what it should hold ended.
struct CodeCompare {
    enum class End { Matched, Stopped, Differs } end = End::Matched;
    std::uint32_t at = 0;
    std::uint8_t chip = 0;
};

// Reads the code memory from address 0 to the range's end, showing progress and
// polling Stop every `progressEvery` bytes, until a byte differs from expected(a).
template <typename Expected>
CodeCompare CompareCode(const P89c5xJob& job, std::uint32_t progressEvery, Expected expected) {
    LinkState& link = job.link;
    PowerUp(link);
    ReadSetup(link, kReadCode);
    std::uint8_t differing = 0;
    const McuReadRun run = ReadCode(job, progressEvery, [&](std::uint32_t a, std::uint8_t chip) {
        differing = chip;
        return chip == expected(a);
    });
    if (run.end == McuReadRun::End::Stopped) return {CodeCompare::End::Stopped, run.at};
    if (run.end == McuReadRun::End::Rejected) {
        job.hooks.show(run.at, job.range.rowLast);
        return {CodeCompare::End::Differs, run.at, differing};
    }
    job.hooks.show(job.range.last(), job.range.rowLast);
    return {};
}

} // namespace

OperationResult BlankP89c5x(const P89c5xJob& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89c5xPresence(link)) return *refusal;
    job.hooks.say("Blank...", true);
    const CodeCompare c = CompareCode(job, kReadProgressEvery, [](std::uint32_t) { return std::uint8_t{0xFF}; });
    if (c.end == CodeCompare::End::Stopped) return StoppedAfterRead(link, c.at);
    // Off before the result, as Verify does.
    ConnectVcc(link, 0);
    if (c.end == CodeCompare::End::Differs) return OperationResult::failed(QV_TEXT("Error"), c.at);
    return OperationResult::done("OK!");
}

OperationResult VerifyP89c5x(const P89c5xJob& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89c5xPresence(link)) return *refusal;
    job.hooks.say("Verify...", true);
    const CodeCompare c = CompareCode(job, kVerifyProgressEvery, [&](std::uint32_t a) { return job.buffer[a]; });
    if (c.end == CodeCompare::End::Stopped) return StoppedAfterRead(link, c.at);
    ConnectVcc(link, 0);
    if (c.end == CodeCompare::End::Differs)
        return OperationResult::failed(Format("%04x:Error!(File=%02x,Chip=%02x)", c.at, job.buffer[c.at], c.chip), c.at);
    return OperationResult::done("OK!");
}

OperationResult IdP89c5x(const P89c5xJob& job) {
    if (auto refusal = CheckP89c5xPresence(job.link)) return *refusal;
    const Signature s = ReadSignatureBytes(job.link);
    OperationResult r = OperationResult::done(SignatureText(s));
    r.value = s.packed();
    return r;
}

static OperationResult WriteP89c5x(const P89c5xJob& job, ProgramSpeed speed) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89c5xPresence(link)) return *refusal;
    // One presence question is enough: the signature read follows at once.
    if (auto refusal = SignatureCheck(job)) return *refusal;
    job.hooks.say("Programming...", true);
    PowerUp(link);
    WriteSetup(link);
    ControlPins(link);
    ModePins(link, kProgramCode);
    SetPinLatch(link, socket::ReadyBusy, 1);
    Address address(link);
    address.set(0);
    ConnectVpp(link, socket::EaVpp);
    Delay(link, kStepTicks);
    const std::uint32_t last = job.range.last();
    for (std::uint32_t a = 0; a <= last; ++a) {
        if (a != 0) address.at(a);
        if ((a & kProgramProgressMask) == kProgramProgressMask) {
            job.hooks.show(a, job.range.rowLast);
            if (job.hooks.stop()) {
                ConnectVpp(link, 0);
                ConnectVcc(link, 0);
                return OperationResult::stopped(a);
            }
        }
        if (job.buffer[a] != 0xFF) ProgramOneByte(job, job.buffer[a], speed);
        address.next();
    }
    job.hooks.show(last, job.range.rowLast);
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    return OperationResult::done("OK");
}

OperationResult ProtectP89c5x(const P89c5xJob& job, ProtectMode mode) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89c5xPresence(link)) return *refusal;
    PowerUp(link);
    // Lock bit 1 leaves reads enabled: the check compares with what the top
    // address read before the lock, not with 0xFF.
    std::uint8_t expected = 0xFF;
    if (mode == ProtectMode::NoMovc) {
        ReadSetup(link, kReadCode);
        expected = ReadDataByte(link);
    }
    WriteSetup(link);
    Address address(link);
    address.set(0);
    PinHigh(link, socket::P26);
    PinHigh(link, socket::P33);
    for (int bit = 0; bit <= static_cast<int>(mode); ++bit) WriteLockBit(link, kLockBit[bit]);

    PowerUp(link);
    ConnectVcc(link, socket::Vcc);
    ReadSetup(link, kReadCode);
    for (int i = 0; i < kLockCheckReads; ++i) {
        if (ReadDataByte(link) != expected) {
            ConnectVcc(link, 0);
            return OperationResult::failed(QV_TEXT("Error!"), 0);
        }
    }
    ConnectVcc(link, 0);
    return OperationResult::done(QV_TEXT("Protect OK!"));
}

OperationResult ProgramP89c5x(const P89c5xJob& job, ProgramSpeed speed) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteP89c5x(job, speed); }, [&] { return VerifyP89c5x(job); });
}

} // namespace quarvin
