#include "families/pic16c8x/Pic16Operations.h"

#include "families/framework/McuSteps.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "platform/Platform.h"

#include <array>
#include <string>
#include "forms/Texts.h"

namespace quarvin {

namespace {

constexpr int kProgrammingMillivolts = 12700;
constexpr int kVppSettleTicks = 100;
constexpr int kProgramEntryTicks = 200;
constexpr int kProgramTicksPerStep = 100;
constexpr int kConfigWriteTicks = 300;
constexpr int kBulkEraseTicks = 5000;
constexpr int kProtectClearTicks = 500;
constexpr int kIncrementsToConfigWord = 7;
constexpr int kConfigLocations = kPicConfigLocations;
constexpr std::uint16_t kConfigReadLoad = 0x00FF;
constexpr std::uint16_t kConfigWriteLoad = 0x0FFF;
constexpr std::uint16_t kEraseLoad = 0xFFFF;
constexpr int kLastLogicPin = 40;
constexpr int kGroundPin = 20;

constexpr std::uint32_t kReadProgressEvery = 16;
constexpr std::uint32_t kProgramProgressEvery = 64;

// Every pin an input, then ground and Vcc, the serial pins and MCLR driven low.
void PowerUp(LinkState& link, const Pic16Row& row) {
    for (int p = 1; p <= kLastLogicPin; ++p)
        if (p != kGroundPin) SetPinLatch(link, p, 1);
    PinHigh(link, kLastLogicPin);
    SetVppLevel(link, kProgrammingMillivolts);
    Delay(link, kVppSettleTicks);
    ConnectGround(link, row.groundPin);
    ConnectVcc(link, row.vccPin);
    SetPinLatch(link, row.clockPin, 0);
    SetPinLatch(link, row.dataPin, 0);
    PinLow(link, row.dataPin);
    PinLow(link, row.clockPin);
    // Two rows name RB5 as their data pin; RB7 of the package must be low too
    // when MCLR rises, or the part does not enter programming mode.
    const int rb7 = SerialPinsOf(PackageOf(row)).data;
    if (rb7 != row.dataPin) {
        SetPinLatch(link, rb7, 0);
        PinLow(link, rb7);
    }
    SetPinLatch(link, row.mclrPin, 0);
    PinLow(link, row.mclrPin);
}

void EnterProgramming(LinkState& link, const Pic16Row& row) {
    ConnectVpp(link, row.mclrPin);
    WritePort(link, 1, 0);
}

void PowerOff(LinkState& link) {
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
}

// The box's time for a word read: the 6-bit command and the 16-bit frame
// clocked out at about 1 µs a half clock, under one character on the line.
constexpr double kWordReadBoxMicroseconds = 60.0;

// The 14-bit word of a read frame (start bit in bit 0, stop bit above it).
std::uint16_t WordOfFrame(std::uint16_t frame) { return static_cast<std::uint16_t>((frame >> 1) & kPicWordMask); }

// Reads the program words from byte address 0 through `last`, each read and
// address increment as ReadWord sends them, with progress and the stop poll
// every kReadProgressEvery bytes. Each word goes to take(a, w) in order; false
// ends the run there. The reads go out ahead of their replies, one command on
// its way while the box clocks the frame before it: the box takes a word read
// in less than a character, so its receive buffer never holds more than the
// next command. Reads already sent past a rejected word only read the part.
template <class Take>
McuReadRun ReadWords(LinkState& link, std::uint32_t last, const OperationHooks& hooks, Take take) {
    McuReadLoop loop;
    loop.last = last;
    loop.rowLast = last;
    loop.step = 2;
    loop.progressEvery = kReadProgressEvery;
    loop.read = [&](std::uint32_t a, CommandsAhead& reads, McuRejects& rejects) {
        reads.send({op::PicReadWord, piccmd::ReadProgramData}, 2, kWordReadBoxMicroseconds,
                   [&take, &rejects, a](std::uint16_t frame) {
                       if (!rejects.any() && !take(a, WordOfFrame(frame))) rejects.reject(a);
                   });
        PicCommand(link, piccmd::IncrementAddress);
    };
    return RunMcuReads(link, loop, hooks);
}

void WriteConfigLocation(LinkState& link, int index, std::uint16_t value) {
    PicWriteWord(link, piccmd::LoadConfiguration, value);
    for (int i = 0; i < index; ++i) PicCommand(link, piccmd::IncrementAddress);
    PicCommand(link, piccmd::BeginProgramming);
    Delay(link, kConfigWriteTicks);
}

void EnterPic16(LinkState& link, const Pic16Row& row) {
    PowerUp(link, row);
    EnterProgramming(link, row);
}

} // namespace

PicConfigSpace ReadPicConfigSpace(LinkState& link, const Pic16Row& row, const PicSocketSteps& steps,
                                  ConfigReadEnd end) {
    steps.enter(link, row);
    PicWriteWord(link, piccmd::LoadConfiguration, kConfigReadLoad);
    PicConfigSpace words{};
    CommandsAhead reads(link);
    for (std::uint16_t& w : words) {
        reads.send({op::PicReadWord, piccmd::ReadProgramData}, 2, kWordReadBoxMicroseconds,
                   [&w](std::uint16_t frame) { w = WordOfFrame(frame); });
        PicCommand(link, piccmd::IncrementAddress);
    }
    steps.leave(link);
    if (end == ConfigReadEnd::EndsOperation) reads.confirmSent();
    reads.drain();
    return words;
}

namespace {

void EraseProgram(LinkState& link, const Pic16Row& row) {
    PowerUp(link, row);
    ConnectVcc(link, row.vccPin);
    EnterProgramming(link, row);
    PicCommand(link, piccmd::BulkEraseProgram);
    PicWriteWord(link, piccmd::LoadProgramData, kEraseLoad);
    PicCommand(link, piccmd::BeginProgramming);
    Delay(link, kBulkEraseTicks);
    ConnectVpp(link, 0);
}

void EraseData(LinkState& link, const Pic16Row& row) {
    PowerUp(link, row);
    EnterProgramming(link, row);
    PicCommand(link, piccmd::BulkEraseData);
    PicWriteWord(link, piccmd::LoadProgramData, kEraseLoad);
    PicCommand(link, piccmd::BeginProgramming);
    Delay(link, kBulkEraseTicks);
    ConnectVpp(link, 0);
}

void ClearProtection(LinkState& link, const Pic16Row& row) {
    PowerUp(link, row);
    EnterProgramming(link, row);
    PicWriteWord(link, piccmd::LoadConfiguration, kEraseLoad);
    for (int i = 0; i < kIncrementsToConfigWord; ++i) PicCommand(link, piccmd::IncrementAddress);
    PicCommand(link, piccmd::ProtectClearA);
    PicCommand(link, piccmd::ProtectClearB);
    PicCommand(link, piccmd::BeginProgramming);
    Delay(link, kProtectClearTicks);
    PicCommand(link, piccmd::ProtectClearA);
    PicCommand(link, piccmd::ProtectClearB);
    ConnectVpp(link, 0);
}

// An empty socket reads the pull-up on RB7: every word 0x3FFF. The 16F87x parts
// hold a device ID at 0x2006 that is never 0x3FFF, so reading it tells a part
// from an empty socket without writing anything. The 18-pin rows also stand for
// parts without a device ID (16C84, 16F83, 16F84), whose blank words read the
// same as an empty socket: their messages say so.
bool RowHasDeviceId(const Pic16Row& row) {
    return PackageOf(row) == Pic16Package::Dip28 || PackageOf(row) == Pic16Package::Dip40;
}

std::optional<OperationResult> NoPartAnswers(const Pic16Row&, const PicConfigSpace& config) {
    if ((config[kPicDeviceIdLocation] & kPicWordMask) != kPicWordMask) return std::nullopt;
    return OperationResult::failed(kPic16NoPartText, kPicConfigSpace + kPicDeviceIdLocation);
}


std::string Unchecked(const char* text, const Pic16Row& row, const char* caveat) {
    return RowHasDeviceId(row) ? std::string(text) : std::string(text) + caveat;
}

OperationResult Stopped(LinkState& link, std::uint32_t a, const PicSocketSteps& steps) {
    steps.leave(link);
    return OperationResult::stopped(a);
}

std::uint16_t BufferWord(const MainBuffer& buf, std::uint32_t a) { return PicBufferWord(buf, a); }

// Rows without a device ID: reads back the first word the buffer did not leave
// erased. A part holds it; an empty socket reads 3fff. False when every word was
// erased, so nothing tells the two apart.
bool ProgrammedWordReadsBack(const Pic16Job& job) {
    std::uint32_t first = 0;
    while (first <= job.row.lastByteAddress && (BufferWord(job.buffer, first) & kPicWordMask) == kPicWordMask) first += 2;
    if (first > job.row.lastByteAddress) return false;
    PowerUp(job.link, job.row);
    EnterProgramming(job.link, job.row);
    std::uint16_t w = 0;
    for (std::uint32_t a = 0; a <= first; a += 2) {
        w = PicReadWord(job.link, piccmd::ReadProgramData);
        PicCommand(job.link, piccmd::IncrementAddress);
    }
    PowerOff(job.link);
    return w == (BufferWord(job.buffer, first) & kPicWordMask);
}

const PicSocketSteps kPic16Steps{EnterPic16, PowerOff, NoPartAnswers};

} // namespace

std::optional<OperationResult> PicPartRefused(const Pic16Job& job, const PicSocketSteps& steps) {
    if (!RowHasDeviceId(job.row)) return std::nullopt;
    return steps.judge(job.row, ReadPicConfigSpace(job.link, job.row, steps));
}

std::uint16_t PicBufferWord(const MainBuffer& buf, std::uint32_t a) {
    return static_cast<std::uint16_t>(buf[a] | buf[a + 1] << 8);
}

void KeepPicWords(MainBuffer& buf, std::uint32_t last) {
    for (std::uint32_t a = 1; a <= last; a += 2) buf[a] = static_cast<std::uint8_t>(buf[a] % 64);
}

void PicCommand(LinkState& link, std::uint8_t command) {
    SendByte(link, op::PicCommand);
    SendByte(link, command);
}

std::uint16_t PicReadWord(LinkState& link, std::uint8_t command) {
    SendByte(link, op::PicReadWord);
    SendByte(link, command);
    const unsigned low = ReceiveByte(link);
    const unsigned high = ReceiveByte(link);
    return WordOfFrame(static_cast<std::uint16_t>(high << 8 | low));
}

void PicWriteWord(LinkState& link, std::uint8_t command, std::uint16_t data) {
    // Start bit 0 in bit 0, the data above it; 0xFFFF goes out as 0xFE, 0xFF.
    const auto frame = static_cast<std::uint16_t>(data << 1);
    SendByte(link, op::PicWriteWord);
    SendByte(link, command);
    SendByte(link, static_cast<std::uint8_t>(frame & 0xFF));
    SendByte(link, static_cast<std::uint8_t>(frame >> 8));
}

OperationResult ReadPic16(const Pic16Job& job) { return ReadPicProgram(job, kPic16Steps); }

OperationResult ReadPicProgram(const Pic16Job& job, const PicSocketSteps& steps) {
    LinkState& link = job.link;
    const std::uint32_t last = job.row.lastByteAddress;
    job.hooks.say("Reading...", true);
    if (auto refused = PicPartRefused(job, steps)) return *refused;
    std::uint16_t sum = 0;
    bool allErased = true; // what an empty socket reads
    steps.enter(link, job.row);
    StagedRead read(last);
    const McuReadRun run = ReadWords(link, last, job.hooks, [&](std::uint32_t a, std::uint16_t w) {
        read[a] = static_cast<std::uint8_t>(w & 0xFF);
        read[a + 1] = static_cast<std::uint8_t>(w >> 8);
        sum = static_cast<std::uint16_t>(sum + (w & 0xFF) + (w >> 8));
        allErased = allErased && w == kPicWordMask;
        return true;
    });
    read.commit(job.buffer, run);
    if (run.end == McuReadRun::End::Stopped) return Stopped(link, run.at, steps);
    job.hooks.show(last, last);
    steps.leave(link);
    const std::string finished = Format("Finished,Sum=%04x", sum);
    OperationResult r =
        OperationResult::done(allErased ? Unchecked(finished.c_str(), job.row, kPic16EmptyReadsTheSame) : finished);
    r.value = sum;
    return r;
}

OperationResult ErasePic16(const Pic16Job& job, Pic16EraseMode mode) {
    LinkState& link = job.link;
    job.hooks.say("Erase...", true);
    if (auto refused = PicPartRefused(job, kPic16Steps)) return *refused;
    switch (mode) {
    case Pic16EraseMode::Code: EraseProgram(link, job.row); break;
    case Pic16EraseMode::Data: EraseData(link, job.row); break;
    case Pic16EraseMode::CodeAndData:
        EraseProgram(link, job.row);
        EraseData(link, job.row);
        break;
    case Pic16EraseMode::All:
        ClearProtection(link, job.row);
        EraseProgram(link, job.row);
        break;
    }
    PowerOff(link);
    return OperationResult::done(Unchecked("Finished", job.row, kPic16EmptyNotTold));
}

OperationResult BlankPic16(const Pic16Job& job) { return BlankPicProgram(job, kPic16Steps); }

OperationResult BlankPicProgram(const Pic16Job& job, const PicSocketSteps& steps) {
    LinkState& link = job.link;
    const std::uint32_t last = job.row.lastByteAddress;
    job.hooks.say("Verify...", true);
    const auto config = ReadPicConfigSpace(link, job.row, steps);
    if (RowHasDeviceId(job.row))
        if (auto refused = steps.judge(job.row, config)) return *refused;
    if ((config[kConfigLocations - 1] & kPicWordMask) != kPicWordMask)
        return OperationResult::failed(QV_TEXT("ONFIG not blank"), kPicConfigWordAddress);
    steps.enter(link, job.row);
    const McuReadRun run =
        ReadWords(link, last, job.hooks, [](std::uint32_t, std::uint16_t w) { return w == kPicWordMask; });
    if (run.end == McuReadRun::End::Stopped) return Stopped(link, run.at, steps);
    if (run.end == McuReadRun::End::Rejected) {
        job.hooks.show(run.at, last);
        steps.leave(link);
        return OperationResult::failed("Not blank!", run.at);
    }
    steps.leave(link);
    return OperationResult::done(Unchecked(QV_TEXT("Blank OK!"), job.row, kPic16EmptyReadsTheSame));
}

static OperationResult WritePic16(const Pic16Job& job, int proTimeIndex) {
    LinkState& link = job.link;
    if (!job.fileOpen) {
        if (job.prompts) job.prompts->message(kNoFileOpenedText);
        return OperationResult::refused(kNoFileOpenedText);
    }
    const std::uint32_t last = job.row.lastByteAddress;
    KeepPicWords(job.buffer, last);
    job.hooks.say("Programming...", true);
    if (auto refused = PicPartRefused(job, kPic16Steps)) return *refused;
    ConnectVpp(link, 0);
    PowerUp(link, job.row);
    Delay(link, kProgramEntryTicks);
    ConnectVpp(link, job.row.mclrPin);
    PinHigh(link, job.row.mclrPin);
    Delay(link, kProgramEntryTicks);
    const int ticks = (proTimeIndex + 1) * kProgramTicksPerStep;
    for (std::uint32_t a = 0; a <= last; a += 2) {
        if (a % kProgramProgressEvery == 0) {
            job.hooks.show(a, last);
            if (job.hooks.stop()) {
                ConnectVpp(link, 0);
                PinLow(link, job.row.mclrPin);
                ConnectVcc(link, 0);
                return OperationResult::stopped(a);
            }
        }
        PicWriteWord(link, piccmd::LoadProgramData, BufferWord(job.buffer, a));
        PicCommand(link, piccmd::BeginProgramming);
        Delay(link, ticks);
        PicCommand(link, piccmd::IncrementAddress);
    }
    job.hooks.show(last, last);
    // MCLR low with Vpp off, so the part does not start its program against the
    // box's drivers; then the supply goes off, as after every other operation.
    ConnectVpp(link, 0);
    PinLow(link, job.row.mclrPin);
    ConnectVcc(link, 0);
    if (RowHasDeviceId(job.row) || ProgrammedWordReadsBack(job)) return OperationResult::done("Finished");
    return OperationResult::done(std::string("Finished") + kPic16EmptyNotTold);
}

OperationResult VerifyPic16(const Pic16Job& job) { return VerifyPicProgram(job, kPic16Steps); }

OperationResult VerifyPicProgram(const Pic16Job& job, const PicSocketSteps& steps) {
    LinkState& link = job.link;
    const std::uint32_t last = job.row.lastByteAddress;
    job.hooks.say("Verify...", true);
    if (auto refused = PicPartRefused(job, steps)) return *refused;
    steps.enter(link, job.row);
    bool allErased = true; // what an empty socket reads
    const McuReadRun run = ReadWords(link, last, job.hooks, [&](std::uint32_t a, std::uint16_t w) {
        if ((w & 0xFF) != job.buffer[a] || (w >> 8) != (job.buffer[a + 1] & 63)) return false;
        allErased = allErased && w == kPicWordMask;
        return true;
    });
    if (run.end == McuReadRun::End::Stopped) return Stopped(link, run.at, steps);
    if (run.end == McuReadRun::End::Rejected) {
        job.hooks.show(run.at, last);
        steps.leave(link);
        return OperationResult::failed(QV_TEXT("Verify Bad!"), run.at);
    }
    job.hooks.show(last, last);
    steps.leave(link);
    // A buffer of erased words matches an empty socket too.
    return OperationResult::done(allErased ? Unchecked("OK", job.row, kPic16EmptyReadsTheSame) : "OK");
}

OperationResult ReadPic16Config(const Pic16Job& job) {
    return ReadPicConfig(job, kPic16Steps, ConfigReadEnd::EndsOperation);
}

OperationResult ReadPicConfig(const Pic16Job& job, const PicSocketSteps& steps, ConfigReadEnd end) {
    const auto words = ReadPicConfigSpace(job.link, job.row, steps, end);
    std::uint16_t id = 0;
    for (int i = 0; i < kPicIdWords; ++i) id = static_cast<std::uint16_t>(id << 4 | (words[static_cast<std::size_t>(i)] & 0xF));
    const std::uint16_t config = words[kConfigLocations - 1];
    OperationResult r = OperationResult::done(Format("Config = %04x", config));
    r.value = std::uint32_t{id} << 16 | config;
    return r;
}

OperationResult WritePic16Config(const Pic16Job& job, const Pic16Config& config) {
    LinkState& link = job.link;
    job.hooks.say(QV_TEXT("Write Config..."), true);
    job.hooks.say(Format("Config = %04x", config.word), true);
    PowerUp(link, job.row);
    EnterProgramming(link, job.row);
    PicWriteWord(link, piccmd::LoadConfiguration, kConfigWriteLoad);
    // The ID locations take 8 bits each, as the values below give them.
    const std::uint16_t id = config.id;
    WriteConfigLocation(link, 0, static_cast<std::uint8_t>(id >> 12));
    WriteConfigLocation(link, 1, static_cast<std::uint8_t>(id >> 8));
    WriteConfigLocation(link, 2, static_cast<std::uint8_t>(id >> 4));
    WriteConfigLocation(link, 3, static_cast<std::uint8_t>(id));
    WriteConfigLocation(link, 7, config.word);
    PowerOff(link);
    return OperationResult::done("OK");
}

std::string Pic16ConfigNotInChip(const Pic16Job& job) { return PicConfigNotInChip(job, kPic16Steps); }

std::string PicConfigNotInChip(const Pic16Job& job, const PicSocketSteps& steps) {
    const std::uint16_t file = BufferWord(job.buffer, kPicConfigWordAddress * 2);
    if (file == 0xFFFF) return {};
    const OperationResult chip = ReadPicConfig(job, steps);
    if (!chip.ok()) return {};
    const auto inChip = static_cast<std::uint16_t>(chip.value & kPicWordMask);
    if (inChip == (file & kPicWordMask)) return {};
    return Format("; Config %04x of the file is not in the chip (%04x): write it with Wr Config, or Auto with Config",
                  file & kPicWordMask, inChip);
}

std::uint16_t BuildPic16Config(const Pic16Row& row, int oscIndex, bool wdt, bool pwrt, bool protect) {
    constexpr std::uint16_t kMapped = 0x000F;
    auto word = static_cast<std::uint16_t>(kPicWordMask & ~kMapped);
    word = static_cast<std::uint16_t>(word | (oscIndex & 3) | (wdt ? 4 : 0) | (pwrt ? 8 : 0));
    if (protect) word = static_cast<std::uint16_t>(word & ~row.codeProtectBits);
    return word;
}

Pic16ConfigControls ControlsOfPic16Config(const Pic16Row& row, std::uint16_t word) {
    // "Sec" stands for the lowest of the row's code-protect bits.
    const auto protectBit = static_cast<std::uint16_t>(row.codeProtectBits & -row.codeProtectBits);
    return {word & 3, (word & 4) != 0, (word & 8) != 0, (word & protectBit) == 0};
}

OperationResult ProgramPic16(const Pic16Job& job, int proTimeIndex) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WritePic16(job, proTimeIndex); }, [&] { return VerifyPic16(job); });
}

} // namespace quarvin
