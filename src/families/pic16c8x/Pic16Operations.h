#pragma once
// The PIC16C8x family's operations over the box's serial programming opcodes:
// 6-bit commands and 14-bit data words; the box clocks them on RB6/RB7. Every
// operation covers the program memory from word 0.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "families/framework/Operation.h"
#include "families/pic16c8x/Pic16Rows.h"
#include "forms/Texts.h"

namespace quarvin {

class Prompts;

// A 16F87x row whose device ID reads 0x3FFF: no part answers in the socket.
inline constexpr const char* kPic16NoPartText = QV_TEXT("No chip! (device ID reads 3fff)");
// The 18-pin rows cannot tell an empty socket from a blank part.
inline constexpr const char* kPic16EmptyReadsTheSame = QV_TEXT(" (an empty socket reads the same)");
inline constexpr const char* kPic16EmptyNotTold = QV_TEXT(" (an empty socket cannot be told from a part)");

enum class Pic16EraseMode { Code, Data, CodeAndData, All };

// What the configuration controls hold.
struct Pic16Config {
    std::uint16_t word = kPicWordMask; // the configuration word (14 bits)
    std::uint16_t id = 0xFFFF;         // four digits, one per ID location, first digit at 0x2000
};

struct Pic16Job {
    LinkState& link;
    const Pic16Row& row;
    MainBuffer& buffer;
    const OperationHooks& hooks;
    Prompts* prompts = nullptr; // the "No any file opened!" box
    bool fileOpen = true;       // whether a hex window holds a file to program
};

// The words 0x2000..0x2007 of the configuration space: IDs, device ID, configuration word.
inline constexpr int kPicConfigLocations = 8;
inline constexpr std::size_t kPicDeviceIdLocation = 6;
using PicConfigSpace = std::array<std::uint16_t, kPicConfigLocations>;

// What differs between the PIC16 families on the way into and out of the
// serial mode: the power-up into programming mode, the power-down, and the
// judgement of the configuration space read from a row with a device ID
// (nothing when the part answers as the row's, else the failure).
struct PicSocketSteps {
    void (*enter)(LinkState& link, const Pic16Row& row);
    void (*leave)(LinkState& link);
    std::optional<OperationResult> (*judge)(const Pic16Row& row, const PicConfigSpace& config);
};

// Whether a configuration read ends the operation: sent ahead, a confirmation
// then follows the power-off before the replies are awaited, so that one reply
// wait ends it (with window 1 the stream is the same either way).
enum class ConfigReadEnd { MoreFollows, EndsOperation };

// The steps every PIC16 family shares, run with the family's socket steps.
PicConfigSpace ReadPicConfigSpace(LinkState& link, const Pic16Row& row, const PicSocketSteps& steps,
                                  ConfigReadEnd end = ConfigReadEnd::MoreFollows);
// Rows with a device ID: reads it; the failure when the part does not answer as the row's.
std::optional<OperationResult> PicPartRefused(const Pic16Job& job, const PicSocketSteps& steps);
// The program word at byte address a of the buffer (low byte first).
std::uint16_t PicBufferWord(const MainBuffer& buf, std::uint32_t a);
// Cuts the high byte of every word up to byte address `last` to the 14 bits a word holds.
void KeepPicWords(MainBuffer& buf, std::uint32_t last);
OperationResult ReadPicProgram(const Pic16Job& job, const PicSocketSteps& steps);
OperationResult BlankPicProgram(const Pic16Job& job, const PicSocketSteps& steps);
OperationResult VerifyPicProgram(const Pic16Job& job, const PicSocketSteps& steps);
OperationResult ReadPicConfig(const Pic16Job& job, const PicSocketSteps& steps,
                              ConfigReadEnd end = ConfigReadEnd::MoreFollows);
std::string PicConfigNotInChip(const Pic16Job& job, const PicSocketSteps& steps);

// Word routines, as the box frames them.
void PicCommand(LinkState& link, std::uint8_t command);
std::uint16_t PicReadWord(LinkState& link, std::uint8_t command);
void PicWriteWord(LinkState& link, std::uint8_t command, std::uint16_t data);

// Program memory and its sum ("Finished,Sum=%04x"; the sum in value).
OperationResult ReadPic16(const Pic16Job& job);
OperationResult ErasePic16(const Pic16Job& job, Pic16EraseMode mode);
OperationResult BlankPic16(const Pic16Job& job);
// proTimeIndex 0..2: 100, 200 or 300 ticks after each Begin Programming.
OperationResult ProgramPic16(const Pic16Job& job, int proTimeIndex);
OperationResult VerifyPic16(const Pic16Job& job);
// Reads the ID locations and the configuration word; value = word, and the ID
// digits in bits 31..16.
OperationResult ReadPic16Config(const Pic16Job& job);
OperationResult WritePic16Config(const Pic16Job& job, const Pic16Config& config);
// Programe writes the program memory only. When the buffer holds a configuration
// word (word 0x2007, as files carry it) that the chip does not, a note naming the
// way to write it; "" otherwise. Reads the chip's configuration word.
std::string Pic16ConfigNotInChip(const Pic16Job& job);

// The configuration word the controls stand for: oscillator in bits 1..0, WDT in
// bit 2, PWRT in bit 3, every other bit 1, and the row's code-protect bits
// cleared when "Sec" is checked.
std::uint16_t BuildPic16Config(const Pic16Row& row, int oscIndex, bool wdt, bool pwrt, bool protect);
struct Pic16ConfigControls {
    int oscIndex = 1;
    bool wdt = true;
    bool pwrt = false;
    bool protect = false;
};
Pic16ConfigControls ControlsOfPic16Config(const Pic16Row& row, std::uint16_t word);

} // namespace quarvin
