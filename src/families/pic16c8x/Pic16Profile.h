#pragma once
// What a PIC16 serial programming family brings to the shared dialog and
// session: its form class and caption, its rows and the operations its parts
// take. The PIC16C8x family's own is kPic16Profile.
#include <span>

#include "families/pic16c8x/Pic16Operations.h"
#include "forms/Texts.h"

namespace quarvin {

struct Pic16FamilyOps {
    OperationResult (*read)(const Pic16Job&);
    OperationResult (*erase)(const Pic16Job&, Pic16EraseMode);
    OperationResult (*blank)(const Pic16Job&);
    OperationResult (*program)(const Pic16Job&, int proTimeIndex);
    OperationResult (*verify)(const Pic16Job&);
    OperationResult (*readConfig)(const Pic16Job&);
    OperationResult (*writeConfig)(const Pic16Job&, const Pic16Config&);
    std::string (*configNotInChip)(const Pic16Job&);
};

struct Pic16Profile {
    const char* formClass;
    const char* caption;
    const char* familyName;  // in the command line's refusals
    const char* proTimeHelp; // what "Pro time" waits, for the command line
    std::span<const Pic16Row> rows;
    Pic16FamilyOps ops;
};

inline constexpr Pic16Profile kPic16Profile{
    "TP16c8x",
    QV_TEXT("P16c8x"),
    "PIC16C8x",
    "wait after each word: 100, 200 or 300 ticks (\"Pro time\")",
    kPic16Rows,
    {ReadPic16, ErasePic16, BlankPic16, ProgramPic16, VerifyPic16, ReadPic16Config, WritePic16Config,
     Pic16ConfigNotInChip},
};

} // namespace quarvin
