#pragma once
// Command line of quarvin-cli: parsed into a plain record, with an error text for
// anything it does not understand. Values are checked where their meaning is
// known (hex fields against the device, options against the family).
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "buffer/RomHash.h"

namespace quarvin::cli {

enum class Format { Bin, Hex, Jed, Cds, Srec, Elf };

struct Options {
    std::string command;           // "convert", "sum", "diff", "devices", "ops", "chips", "run", "compare",
                                   // "gang", "where", "help", "version" or "__complete" (shell completion)
    std::string completion;        // __complete: what to list (see Completion.h)
    std::string input, output;     // convert/sum files, diff's FILE1 and FILE2; run's --in and --out
    std::vector<RomHashKind> hashes; // sum: --crc32, --sha1, --sha256 in the order given
    std::int64_t maxDifferences = 100; // diff, compare: differing bytes listed
    std::optional<Format> inFormat, outFormat;
    int loadMode = 0;              // item of the format dialog's "Load mode"
    std::int32_t start = 0;
    std::optional<std::int32_t> end;
    std::int32_t fusesPerRow = 32;
    std::int32_t fuseRows = 64;
    bool fuseGeometryGiven = false; // run: else the logic device's own geometry

    // Device lists and selection.
    std::string dir = ".";         // the program directory
    bool dirGiven = false;         // --dir given; else main() chooses the directory
    std::optional<std::string> list;
    std::string category, maker, find;
    std::string device;            // "TYPE" or "MAKER/TYPE"
    std::string dialogClass;       // --dialog: a family by its dialog class
    int subType = 0;

    // Running operations.
    std::vector<std::string> operations;
    std::optional<std::string> bufferStart, deviceStart, length; // hexadecimal texts
    std::vector<std::pair<std::string, std::string>> familyOptions;
    std::vector<std::pair<std::string, std::string>> controls; // --set CONTROL=ITEM, in order
    std::optional<std::string> port;
    std::string svg;               // --svg FILE: socket writes its picture as SVG there
    std::string trace;             // --trace FILE: the link trace of run, report and loopback
    bool softRun = false;
    bool yes = false;
    bool force = false;        // run from a damaged file, or with --out naming --in
    bool allowPartial = false; // exit 0 when a run did only part of the requested range
    bool changedOnly = false;      // program: write only the blocks that differ
    bool allowStress = false;      // VBOX: stress events do not change the exit status
    std::string language = "classic"; // --lang: the messages' language (classic, en, zh)

    // Production runs.
    std::vector<std::string> ports; // every --port in order (gang: one box each)
    std::string serial;            // --serial ADDR:FORMAT[:START[:STEP]]
    std::string serialFile;        // --serial-file; empty: serial.cnt in the program directory
    std::string log;               // --log FILE; empty: quarvin.log in the program directory
    bool noLog = false;            // --no-log
    bool json = false;             // --json: JSON Lines on stdout, progress as JSON on stderr
    bool repeat = false;           // --repeat: the next chip after each run, until Ctrl+C
    bool checkFirst = false;       // --check: the socket check before the operations
    bool tester = false;           // chips --tester: the logic IC tester's library types

    // The virtual box's chip.
    std::string chip, chipImage;
    std::vector<std::string> faults;
};

struct ParseResult {
    Options options;
    std::string error;             // empty when the command line is sound
};

ParseResult parse(const std::vector<std::string>& args);
// The format a file name suggests, as the format dialog preselects it (.BIN otherwise).
Format formatFromName(const std::string& path);
std::string usage();
// Every --option name usage() shows, in order of appearance, each once.
std::vector<std::string> optionNames();

} // namespace quarvin::cli
