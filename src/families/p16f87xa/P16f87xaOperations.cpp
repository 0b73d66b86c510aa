#include "families/p16f87xa/P16f87xaOperations.h"

#include <algorithm>

#include "families/framework/McuSteps.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"
#include "platform/Platform.h"

namespace quarvin {

namespace {

// "raising MCLR pin from VIL to VIHH (13V ± 0.5V)" (DS39589B section 1.1; Table
// 6-1: VIHH at most 13.5 V). The box makes it with its 12.7 V step.
constexpr int kProgrammingMillivolts = 13000;
// "Chip Erase cycle time tprog3 ... 8 ms max" (Table 6-1).
constexpr int kChipEraseTicks = kP16f87xaRowWriteTicks;
// "Eight locations must be loaded before every 'Begin Erase/Programming'
// command" (section 2.4.2.7).
constexpr std::uint32_t kRowWords = 8;
constexpr std::uint32_t kProgramProgressEvery = 64;
// Section 2.3: "it is recommended that ID location is written as
// '11 1111 1000 bbbb', where 'bbbb' is ID information".
constexpr std::uint16_t kIdLocationHigh = 0x3F80;
constexpr int kIncrementsFromLastIdToConfigWord = 4;
// The configuration bits the parts have (Register 3-1); bits 12, 5 and 4 read 1.
constexpr std::uint16_t kImplementedConfig = 0x2FCF;

// The commands of Table 2-1 this family adds to the PIC16 ones (the sixth bit,
// a don't-care, sent as 0).
namespace cmd87xa {
constexpr std::uint8_t BeginEraseProgramming = 0x08;
constexpr std::uint8_t ChipErase = 0x1F;
} // namespace cmd87xa

// Vcc first, then RB6, RB7 and MCLR driven low, then Vpp on MCLR: the part
// enters the mode on "holding pins RB6 and RB7 low, while raising MCLR pin from
// VIL to VIHH" (section 2.4). No signal pin is high while Vcc is off.
void Enter(LinkState& link, const Pic16Row& row) {
    SetVppLevel(link, kProgrammingMillivolts);
    ConnectGround(link, row.groundPin);
    ConnectVcc(link, row.vccPin);
    for (int pin : {row.clockPin, row.dataPin, row.mclrPin}) {
        SetPinLatch(link, pin, 0);
        PinLow(link, pin);
    }
    ConnectVpp(link, row.mclrPin);
}

void Leave(LinkState& link) {
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
}

std::optional<OperationResult> Judge(const Pic16Row& row, const PicConfigSpace& config) {
    const std::uint16_t id = config[kPicDeviceIdLocation] & kPicWordMask;
    const std::uint32_t at = kPicConfigSpace + kPicDeviceIdLocation;
    if (id == kPicWordMask) return OperationResult::failed(kPic16NoPartText, at);
    if ((id & kP16f87xaDevMask) != P16f87xaDeviceId(row))
        return OperationResult::failed(Format(QV_TEXT("Wrong chip! (device ID %04x, not %s)"), id, row.chip), at);
    return std::nullopt;
}


} // namespace

const PicSocketSteps kP16f87xaSteps{Enter, Leave, Judge};

OperationResult ReadP16f87xa(const Pic16Job& job) { return ReadPicProgram(job, kP16f87xaSteps); }
OperationResult BlankP16f87xa(const Pic16Job& job) { return BlankPicProgram(job, kP16f87xaSteps); }
OperationResult VerifyP16f87xa(const Pic16Job& job) { return VerifyPicProgram(job, kP16f87xaSteps); }
OperationResult ReadP16f87xaConfig(const Pic16Job& job) {
    return ReadPicConfig(job, kP16f87xaSteps, ConfigReadEnd::EndsOperation);
}
std::string P16f87xaConfigNotInChip(const Pic16Job& job) { return PicConfigNotInChip(job, kP16f87xaSteps); }

OperationResult EraseP16f87xa(const Pic16Job& job, Pic16EraseMode mode) {
    LinkState& link = job.link;
    job.hooks.say("Erase...", true);
    if (auto refused = PicPartRefused(job, kP16f87xaSteps)) return *refused;
    Enter(link, job.row);
    // Section 2.5.1: each bulk erase is followed by Begin Erase/Programming and
    // lasts as its cycle; neither runs on a protected memory.
    const auto bulkErase = [&](std::uint8_t command) {
        PicCommand(link, command);
        PicCommand(link, cmd87xa::BeginEraseProgramming);
        Delay(link, kP16f87xaRowWriteTicks);
    };
    switch (mode) {
    case Pic16EraseMode::Code: bulkErase(piccmd::BulkEraseProgram); break;
    case Pic16EraseMode::Data: bulkErase(piccmd::BulkEraseData); break;
    case Pic16EraseMode::CodeAndData:
        bulkErase(piccmd::BulkEraseProgram);
        bulkErase(piccmd::BulkEraseData);
        break;
    case Pic16EraseMode::All:
        // Section 2.5.2.1: with the counter in configuration memory Chip Erase
        // clears program and data memory, the configuration word with its
        // protection, and the ID locations.
        PicWriteWord(link, piccmd::LoadConfiguration, kPicWordMask);
        PicCommand(link, cmd87xa::ChipErase);
        Delay(link, kChipEraseTicks);
        break;
    }
    Leave(link);
    return OperationResult::done("Finished");
}

OperationResult ProgramP16f87xa(const Pic16Job& job, int proTimeIndex) {
    return ProgramP16f87xaWithWait(job, kP16f87xaRowWriteTicks << std::clamp(proTimeIndex, 0, 2));
}

// Figure 2-2: eight loads with an increment between them, Begin
// Erase/Programming, the wait, an increment to the next row. The cycle erases
// the row before it writes it, so no erase goes first.
static OperationResult WriteP16f87xa(const Pic16Job& job, int ticksPerRow) {
    LinkState& link = job.link;
    if (!job.fileOpen) {
        if (job.prompts) job.prompts->message(kNoFileOpenedText);
        return OperationResult::refused(kNoFileOpenedText);
    }
    const std::uint32_t last = job.row.lastByteAddress;
    KeepPicWords(job.buffer, last);
    job.hooks.say("Programming...", true);
    if (auto refused = PicPartRefused(job, kP16f87xaSteps)) return *refused;
    Enter(link, job.row);
    for (std::uint32_t a = 0; a <= last; a += 2 * kRowWords) {
        if (a % kProgramProgressEvery == 0) {
            job.hooks.show(a, last);
            if (job.hooks.stop()) {
                Leave(link);
                return OperationResult::stopped(a);
            }
        }
        for (std::uint32_t i = 0; i < kRowWords; ++i) {
            if (i > 0) PicCommand(link, piccmd::IncrementAddress);
            PicWriteWord(link, piccmd::LoadProgramData, PicBufferWord(job.buffer, a + 2 * i));
        }
        PicCommand(link, cmd87xa::BeginEraseProgramming);
        Delay(link, ticksPerRow);
        PicCommand(link, piccmd::IncrementAddress);
    }
    job.hooks.show(last, last);
    Leave(link);
    return OperationResult::done("Finished");
}

OperationResult WriteP16f87xaConfig(const Pic16Job& job, const Pic16Config& config) {
    LinkState& link = job.link;
    job.hooks.say(QV_TEXT("Write Config..."), true);
    job.hooks.say(Format("Config = %04x", config.word), true);
    if (auto refused = PicPartRefused(job, kP16f87xaSteps)) return *refused;
    Enter(link, job.row);
    // Figure 2-4: the four ID locations with one Begin Erase/Programming, the
    // first digit at 0x2000 (Load Configuration sets the counter there).
    for (int i = 0; i < kPicIdWords; ++i) {
        const auto digit = static_cast<std::uint16_t>(config.id >> (4 * (kPicIdWords - 1 - i)) & 0xF);
        const auto word = static_cast<std::uint16_t>(kIdLocationHigh | digit);
        if (i == 0) {
            PicWriteWord(link, piccmd::LoadConfiguration, word);
        } else {
            PicCommand(link, piccmd::IncrementAddress);
            PicWriteWord(link, piccmd::LoadProgramData, word);
        }
    }
    PicCommand(link, cmd87xa::BeginEraseProgramming);
    Delay(link, kP16f87xaRowWriteTicks);
    // "The configuration word will not be written unless the address is
    // specifically pointing to 2007h" (section 2.4.2.7).
    for (int i = 0; i < kIncrementsFromLastIdToConfigWord; ++i) PicCommand(link, piccmd::IncrementAddress);
    PicWriteWord(link, piccmd::LoadProgramData, config.word & kPicWordMask);
    PicCommand(link, cmd87xa::BeginEraseProgramming);
    Delay(link, kP16f87xaRowWriteTicks);
    Leave(link);
    const PicConfigSpace back = ReadPicConfigSpace(link, job.row, kP16f87xaSteps);
    const std::uint16_t inChip = back[kPicConfigLocations - 1];
    if ((inChip & kImplementedConfig) != (config.word & kImplementedConfig))
        return OperationResult::failed(Format("Config = %04x", inChip), kPicConfigWordAddress);
    return OperationResult::done("OK");
}

OperationResult ProgramP16f87xaWithWait(const Pic16Job& job, int ticksPerRow) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteP16f87xa(job, ticksPerRow); }, [&] { return VerifyP16f87xa(job); });
}

} // namespace quarvin
