#include "families/mcu89c5x/P89c5xOperations.h"

#include <memory>

#include "families/mcu89c5x/P89c5xPins.h"
#include "families/framework/McuCodeMemory.h"
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
constexpr std::uint32_t kSignatureAddress = 0x30;

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

// Power-up, read signature mode, the bytes at 0x30..0x32, power off.
std::array<std::uint8_t, 3> ReadSignatureBytes(LinkState& link) {
    PowerUp(link);
    ReadSetup(link, kReadSignature);
    Address address(link);
    std::array<std::uint8_t, 3> s{};
    for (std::uint32_t i = 0; i < s.size(); ++i) {
        address.set(kSignatureAddress + i);
        s[i] = ReadDataByte(link);
    }
    Delay(link, kStepTicks);
    WriteAllPorts(link, 0xFF);
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    return s;
}

std::optional<OperationResult> SignatureCheck(const P89c5xJob& job) {
    return SignatureQuestion(ReadSignatureBytes(job.link), job.expectedSignature, job.hooks, job.prompts,
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
// each page start the whole address, which reads the high address port. The
// part goes off with its supply alone.
McuCodeRun CodeRun(const P89c5xJob& job) {
    return {job.link, job.buffer, job.range, job.hooks,
            [&job](std::uint32_t progressEvery, const McuCodeRun::Take& take) {
                auto address = std::make_shared<Address>(job.link);
                McuReadLoop loop;
                loop.last = job.range.last();
                loop.rowLast = job.range.rowLast;
                loop.progressEvery = progressEvery;
                loop.repliesBeforeEvery = 0x100;
                loop.before = [address](std::uint32_t a) { address->at(a); };
                return ReadMcuBytes(
                    job.link, loop, job.hooks, op::ReadData, [address](std::uint32_t) { address->next(); }, take);
            },
            [&job] { ConnectVcc(job.link, 0); }};
}

} // namespace

OperationResult ReadP89c5x(const P89c5xJob& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89c5xPresence(link)) return *refusal;
    PowerUp(link);
    job.hooks.say(QV_TEXT("正在读..."), true);
    Delay(link, kStepTicks);
    ReadSetup(link, kReadCode);
    return ReadMcuCode(CodeRun(job));
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

OperationResult BlankP89c5x(const P89c5xJob& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89c5xPresence(link)) return *refusal;
    job.hooks.say("Blank...", true);
    PowerUp(link);
    ReadSetup(link, kReadCode);
    return BlankMcuCode(CodeRun(job));
}

OperationResult VerifyP89c5x(const P89c5xJob& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89c5xPresence(link)) return *refusal;
    job.hooks.say("Verify...", true);
    PowerUp(link);
    ReadSetup(link, kReadCode);
    return VerifyMcuCode(CodeRun(job));
}

OperationResult IdP89c5x(const P89c5xJob& job) {
    if (auto refusal = CheckP89c5xPresence(job.link)) return *refusal;
    return McuSignatureResult(ReadSignatureBytes(job.link));
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
    const auto stoppedAt = ProgramMcuCode(
        CodeRun(job), {[&address](std::uint32_t a) { address.at(a); }, [&address] { address.next(); }},
        [&](std::uint8_t v) { ProgramOneByte(job, v, speed); });
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    if (stoppedAt) return OperationResult::stopped(*stoppedAt);
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
    return CheckMcuLockReads(CodeRun(job), expected);
}

OperationResult ProgramP89c5x(const P89c5xJob& job, ProgramSpeed speed) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteP89c5x(job, speed); }, [&] { return VerifyP89c5x(job); });
}

} // namespace quarvin
