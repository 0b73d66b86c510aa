#include "families/mcu89s5x/P89s5xOperations.h"

#include "families/mcu89s5x/P89s5xPins.h"
#include "families/framework/McuCodeMemory.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "platform/Platform.h"

// Levels, patterns and times below come from the AT89S51 (Atmel 2487A) and
// AT89S52 (Atmel 1919) data sheets, sections "Programming the Flash - Parallel
// Mode", "Flash Programming Modes" (table) and "Flash Programming and
// Verification Characteristics (Parallel Mode)".

namespace quarvin {

namespace socket = p89spin;

namespace {

// "VPP Programming Supply Voltage 11.5 - 12.5 V".
constexpr int kProgrammingMillivolts = 12000;
constexpr int kNormalVcc = 5;
// The data sheets give a clock start time only for the serial mode ("apply a
// 3 MHz to 33 MHz clock to XTAL1 pin and wait for at least 10 milliseconds");
// the parallel mode waits as long: 110 ticks of 95.5 us.
constexpr int kClockStartTicks = 110;
// "tSHGL Vpp setup to PROG low 10 us", "tGHSL Vpp hold after PROG 10 us": one
// tick (95.5 us) covers either.
constexpr int kVppSettleTicks = 1;
// "tWC Byte Write Cycle Time 50 us max": the lock bits take the same cycle.
constexpr int kWriteCycleTicks = 1;
// Chip erase: the data sheets give its length only for the serial mode ("chip
// erase is self-timed and takes about 500 ms"); 5500 ticks are 525 ms.
constexpr int kDefaultEraseTicks = 5500;
int gEraseTicks = kDefaultEraseTicks;
// Speed: 1, 2 or 3 ms after each byte, far over tWC.
constexpr int kSpeedUnitTicks = 10;
// "Reading the Signature Bytes": locations 000H, 100H and 200H.
constexpr std::uint32_t kSignatureAddresses[3] = {0x000, 0x100, 0x200};

// P0 is open-drain: driven by the box for Write Code Data, read through the
// box's pull-ups otherwise (Figure 14 "use 10K pullups").
void DriveDataBus(LinkState& link, bool drive) {
    for (int p = socket::DataFirst; p <= socket::DataLast; ++p) SetPinLatch(link, p, drive ? 0 : 1);
}

// Every port low, XTAL2 and RDY/BSY left to the chip, supply, the clock on
// XTAL1, then RST high, PSEN low, ALE/PROG and EA/VPP high: the programming
// interface with VCC 5 V, RST "H", PSEN "L" of every mode of the table.
void PowerUp(LinkState& link) {
    SetPinLatch(link, socket::Xtal2, 1);
    SetPinLatch(link, socket::ReadyBusy, 1);
    SetPinLatch(link, socket::Xtal1, 1);
    DriveDataBus(link, false);
    WriteAllPorts(link, 0);
    ConnectGround(link, socket::Ground);
    ConnectVcc(link, socket::Vcc);
    SetVccLevel(link, kNormalVcc);
    ConnectClock(link, socket::Xtal1);
    Delay(link, kClockStartTicks);
    PinHigh(link, socket::Rst);
    PinLow(link, socket::Psen);
    PinHigh(link, socket::AleProg);
    PinHigh(link, socket::EaVpp);
}

// Vpp off before the supply; every pin low and the clock stopped before Vcc
// goes, so that nothing drives the part once it is unpowered.
void PowerOff(LinkState& link) {
    ConnectVpp(link, 0);
    ConnectClock(link, 0);
    WriteAllPorts(link, 0);
    ConnectVcc(link, 0);
}

// The address on P1 and P2.0..P2.4, with P3.7 (on the same box port) kept at
// the mode's level.
class Address {
public:
    Address(LinkState& link, const P89s5xMode& mode) : link_(link), p37_(mode.p37) {}
    void set(std::uint32_t a) {
        current_ = a;
        const auto high = static_cast<std::uint8_t>((p37_ ? socket::P37Bit : 0) |
                                                    ((a >> 8) & socket::HighAddressMask) << socket::A8Shift);
        WritePort(link_, socket::LowAddressPort, static_cast<std::uint8_t>(a & 0xFF));
        WritePort(link_, socket::HighAddressPort, high);
    }
    // The next address; only its low byte goes out.
    void next() {
        ++current_;
        WritePort(link_, socket::LowAddressPort, static_cast<std::uint8_t>(current_ & 0xFF));
    }
    // At each page start the whole address goes out.
    void at(std::uint32_t a) {
        if ((a & 0xFF) == 0) set(a);
    }

private:
    LinkState& link_;
    bool p37_;
    std::uint32_t current_ = 0;
};

void ModePins(LinkState& link, const P89s5xMode& m) {
    SetPin(link, m.p26, socket::P26);
    SetPin(link, m.p27, socket::P27);
    SetPin(link, m.p33, socket::P33);
    SetPin(link, m.p36, socket::P36);
    SetPin(link, m.p37, socket::P37);
}

// "PROG Width 0.2 - 1 us" (tGLGH): shorter than any two box commands, so the
// box makes it with its 0.5 us strobe.
void ProgPulse(LinkState& link) {
    SendByte(link, op::StrobeLow);
    SendByte(link, static_cast<std::uint8_t>(socket::AleProg));
}

// A write mode with 12 V on EA/VPP, set after the mode pins ("tEHSH P2.7
// (ENABLE) high to VPP").
void EnterWriteMode(LinkState& link, const P89s5xMode& mode) {
    ModePins(link, mode);
    ConnectVpp(link, socket::EaVpp);
    Delay(link, kVppSettleTicks);
}

void LeaveWriteMode(LinkState& link) {
    Delay(link, kVppSettleTicks);
    ConnectVpp(link, 0);
}

std::array<std::uint8_t, 3> ReadSignatureBytes(LinkState& link) {
    PowerUp(link);
    ModePins(link, kS5xReadSignature);
    Address address(link, kS5xReadSignature);
    std::array<std::uint8_t, 3> s{};
    for (std::size_t i = 0; i < s.size(); ++i) {
        address.set(kSignatureAddresses[i]);
        s[i] = ReadDataByte(link);
    }
    PowerOff(link);
    return s;
}

std::optional<OperationResult> SignatureCheck(const P89s5xJob& job) {
    return SignatureQuestion(ReadSignatureBytes(job.link), job.expectedSignature, job.hooks, job.prompts,
                             kSignatureAddresses[0]);
}

// The code memory from address 0 through the range's end, one read a byte.
McuCodeRun CodeRun(const P89s5xJob& job) {
    return {job.link, job.buffer, job.range, job.hooks,
            [&job](std::uint32_t progressEvery, const McuCodeRun::Take& take) {
                auto address = std::make_shared<Address>(job.link, kS5xReadCode);
                McuReadLoop loop;
                loop.last = job.range.last();
                loop.rowLast = job.range.rowLast;
                loop.progressEvery = progressEvery;
                loop.before = [address](std::uint32_t a) { address->at(a); };
                return ReadMcuBytes(
                    job.link, loop, job.hooks, op::ReadData, [address](std::uint32_t) { address->next(); }, take);
            },
            [&job] { PowerOff(job.link); }};
}

} // namespace

int P89s5xEraseTicks() { return gEraseTicks; }
void SetP89s5xEraseTicksForTest(int ticks) { gEraseTicks = ticks; }

std::optional<OperationResult> CheckP89s5xPresence(LinkState& link) {
    SetPinLatch(link, socket::Xtal2, 1);
    SetPinLatch(link, socket::ReadyBusy, 1);
    ConnectGround(link, socket::Ground);
    ConnectVcc(link, socket::Vcc);
    PinHigh(link, socket::Rst);
    PinLow(link, socket::Rst);
    auto refusal = CheckPresence(link, socket::Xtal1, socket::Xtal2);
    PowerOff(link);
    return refusal;
}

OperationResult ReadP89s5x(const P89s5xJob& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89s5xPresence(link)) return *refusal;
    job.hooks.say(QV_TEXT("正在读..."), true);
    PowerUp(link);
    ModePins(link, kS5xReadCode);
    return ReadMcuCode(CodeRun(job));
}

// "Chip Erase": the erase mode, 12 V, one PROG pulse of 200 - 500 ns (note 1),
// then the erase time.
OperationResult EraseP89s5x(const P89s5xJob& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89s5xPresence(link)) return *refusal;
    PowerUp(link);
    EnterWriteMode(link, kS5xChipErase);
    ProgPulse(link);
    Delay(link, gEraseTicks);
    LeaveWriteMode(link);
    PowerOff(link);
    return OperationResult::done(QV_TEXT("Erase ok"));
}

OperationResult BlankP89s5x(const P89s5xJob& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89s5xPresence(link)) return *refusal;
    job.hooks.say("Blank...", true);
    PowerUp(link);
    ModePins(link, kS5xReadCode);
    return BlankMcuCode(CodeRun(job));
}

OperationResult VerifyP89s5x(const P89s5xJob& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89s5xPresence(link)) return *refusal;
    job.hooks.say("Verify...", true);
    PowerUp(link);
    ModePins(link, kS5xReadCode);
    return VerifyMcuCode(CodeRun(job));
}

OperationResult IdP89s5x(const P89s5xJob& job) {
    if (auto refusal = CheckP89s5xPresence(job.link)) return *refusal;
    return McuSignatureResult(ReadSignatureBytes(job.link));
}

// "Programming Algorithm" steps 1 to 5 for each byte that is not 0xFF: address,
// data, the Write Code Data pattern, 12 V, one PROG pulse; the self-timed write
// ends within tWC, well inside the Speed wait.
static OperationResult WriteP89s5x(const P89s5xJob& job, ProgramSpeed speed) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89s5xPresence(link)) return *refusal;
    if (auto refusal = SignatureCheck(job)) return *refusal;
    job.hooks.say("Programming...", true);
    PowerUp(link);
    DriveDataBus(link, true);
    Address address(link, kS5xWriteCode);
    address.set(0);
    EnterWriteMode(link, kS5xWriteCode);
    const auto stoppedAt = ProgramMcuCode(
        CodeRun(job), {[&address](std::uint32_t a) { address.at(a); }, [&address] { address.next(); }},
        [&](std::uint8_t v) {
            WriteDataByte(link, v);
            ProgPulse(link);
            Delay(link, kSpeedUnitTicks * (static_cast<int>(speed) + 1));
        });
    if (stoppedAt) {
        PowerOff(link);
        return OperationResult::stopped(*stoppedAt);
    }
    LeaveWriteMode(link);
    PowerOff(link);
    return OperationResult::done("OK");
}

// Lock bits 1 up to the mode's, each with its "Write Lock Bit" pattern and one
// PROG pulse (note 3); then the check: with lock bit 2 ("verify is also
// disabled") every read gives the pull-ups' 0xFF, with lock bit 1 alone reads
// stay as they were.
OperationResult ProtectP89s5x(const P89s5xJob& job, ProtectMode mode) {
    LinkState& link = job.link;
    if (auto refusal = CheckP89s5xPresence(link)) return *refusal;
    PowerUp(link);
    ModePins(link, kS5xReadCode);
    Address(link, kS5xReadCode).set(0);
    const std::uint8_t expected = mode == ProtectMode::NoMovc ? ReadDataByte(link) : std::uint8_t{0xFF};
    for (int bit = 0; bit <= static_cast<int>(mode); ++bit) {
        EnterWriteMode(link, kS5xLockBit[bit]);
        ProgPulse(link);
        Delay(link, kWriteCycleTicks);
        LeaveWriteMode(link);
    }
    ModePins(link, kS5xReadCode);
    Address(link, kS5xReadCode).set(0);
    return CheckMcuLockReads(CodeRun(job), expected);
}

OperationResult ProgramP89s5x(const P89s5xJob& job, ProgramSpeed speed) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteP89s5x(job, speed); }, [&] { return VerifyP89s5x(job); });
}

} // namespace quarvin
