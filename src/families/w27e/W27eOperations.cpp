#include "families/w27e/W27eOperations.h"

#include "families/framework/MemorySteps.h"
#include "families/uv_eprom/EpromAddress.h"
#include "families/uv_eprom/EpromOperations.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

constexpr std::uint32_t kPage = 256;
constexpr int kA9Pin = 30;          // address bit 9, raised to 14 V for the erase
constexpr int kEraseTicks = 1000;   // about 95 ms of erase strobe

constexpr EpromTexts kTexts{.repaintReading = true, .verifying = QV_TEXT("Verify...(Ctrl+C to stop)"), .summing = QV_TEXT("Check sum")};

// Runs an EPROM operation on the row's EPROM view.
// Its parts rate their pins "-0.5 V to Vcc + 0.5 V" (all but Vpp, A9 and Vcc):
// the ports go low before each Vcc off, and again at the end.
template <class Operation>
OperationResult AsEprom(const W27eJob& job, Operation operation) {
    const EpromRow row = job.row.asEprom();
    return WithPortsLow(EpromJob{job.link, row, job.buffer, job.fields, job.hooks, kTexts}, operation);
}

} // namespace

OperationResult ReadW27e(const W27eJob& job) { return AsEprom(job, ReadEprom); }
OperationResult BlankCheckW27e(const W27eJob& job) { return AsEprom(job, BlankCheckEprom); }
OperationResult VerifyW27e(const W27eJob& job) { return AsEprom(job, VerifyEprom); }
OperationResult SumW27e(const W27eJob& job) { return AsEprom(job, SumEprom); }

namespace {

OperationResult EraseSteps(const W27eJob& job) {
    LinkState& link = job.link;
    const EpromRow row = job.row.asEprom();
    if (!job.row.chip) return OperationResult::refused(QV_TEXT("Failured! (no device type selected)"));
    job.hooks.say("Erase...", true);
    // Vcc first: the write bus mode and the address setting drive signal pins
    // high, and the parts rate them "-0.5 V to Vcc + 0.5 V".
    PowerUp(link, row.supplyPin, true);
    SetDataWidth(link, kWriteBusMode);
    SetEpromAddress(link, row, 0);
    PinLow(link, ChipEnable);
    PinHigh(link, OutputEnable);
    PinHigh(link, kA9Pin);
    PinHigh(link, row.vppPin);
    SetVppLevel(link, W27eRow::kEraseMillivolts);
    ConnectVpp(link, row.vppPin);
    ConnectVpp(link, kA9Pin);
    // Rows without a pulse pin send PinLow/PinHigh of pin 0: /CE, low since
    // above, is their strobe.
    PinLow(link, job.row.pulsePin);
    Delay(link, kEraseTicks);
    PinHigh(link, job.row.pulsePin);
    PinLow(link, OutputEnable);
    PinHigh(link, ChipEnable);
    ReleaseVpp(link, kA9Pin);
    ConnectVpp(link, 0);
    // The chip is not left powered: it could be pulled out of the socket next.
    ConnectVcc(link, 0);
    // Nothing here reads the chip back, so the erase is not called a success: the
    // failure flag stays as it was, and Auto runs a blank check right after it.
    return OperationResult::doneUnchecked("Erase finished: run Blank to check it");
}

OperationResult ProgramSteps(const W27eJob& job) {
    LinkState& link = job.link;
    const EpromRow row = job.row.asEprom();
    if (!job.row.chip) return OperationResult::refused(QV_TEXT("Programe Failured! (no device type selected)"));
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);

    SetVppLevel(link, W27eRow::kProgramMillivolts);
    job.hooks.say("Programming...", true);
    PowerUp(link, row.supplyPin, true);
    PinHigh(link, ProgramEnable);
    PinLow(link, OutputEnable);
    PinHigh(link, ChipEnable);
    ConnectVpp(link, row.vppPin);
    SetDataWidth(link, kWriteBusMode);
    SetPulseCount(link, 1);
    SetEpromAddress(link, row, job.fields.deviceStart);

    // One pulse a byte (the pulse count set above), each read-back compared.
    if (auto ended = ProgramEpromBytes(link, row, job.buffer, s, 1, true, job.hooks)) return *ended;
    job.hooks.show(s.count ? s.device + s.count - 1 : 0, row.lastAddress);
    PowerDownAfterProgram(link);
    job.hooks.say("OK!", false);
    OperationResult sum = SumW27e(job);
    if (!sum.ok()) return sum;
    // The sum's text, and the note of a run the buffer's end cut short.
    OperationResult r = OperationResult::done(sum.message, EndOfBufferNote(s));
    r.value = sum.value;
    return r;
}

} // namespace

OperationResult EraseW27e(const W27eJob& job) {
    return PortsLowAroundVccOff(job.link, [&] { return EraseSteps(job); });
}
OperationResult ProgramW27e(const W27eJob& job) {
    return ProgramReadBackWhenAhead(
        job.link, [&] { return PortsLowAroundVccOff(job.link, [&] { return ProgramSteps(job); }); },
        [&] { return VerifyW27e(job); });
}

} // namespace quarvin
