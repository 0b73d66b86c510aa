#include "Options.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "buffer/MainBuffer.h"

#include "buffer/TFileFormat.h"
#include "buffer/formats/FileNames.h"

namespace quarvin::cli {

namespace {

std::optional<Format> formatNamed(const std::string& s) {
    if (s == "bin") return Format::Bin;
    if (s == "hex") return Format::Hex;
    if (s == "jed") return Format::Jed;
    if (s == "cds") return Format::Cds;
    if (s == "srec") return Format::Srec;
    if (s == "elf") return Format::Elf;
    return std::nullopt;
}

std::optional<int> decimal(const std::string& s) {
    int v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

} // namespace

Format formatFromName(const std::string& path) {
    const std::string key = formats::formatKeyOfName(path);
    if (key == ".HEX") return Format::Hex;
    if (key == ".JED") return Format::Jed;
    if (key == ".CDS") return Format::Cds;
    if (key == ".S19") return Format::Srec;
    if (key == ".ELF") return Format::Elf;
    return Format::Bin;
}

std::string usage() {
    return "Usage:\n"
           "  quarvin-cli convert IN OUT [--in-format bin|hex|jed|cds|srec|elf] [--out-format bin|hex|jed|srec]\n"
           "                             [--load-mode N] [--start HEX] [--end HEX]\n"
           "                             [--fuses-per-row N] [--fuse-rows N]\n"
           "  quarvin-cli sum FILE [--in-format F] [--load-mode N] [--start HEX] [--end HEX]\n"
           "                       [--crc32] [--sha1] [--sha256]\n"
           "  quarvin-cli diff FILE1 FILE2 [--in-format F] [--end HEX] [--max N]\n"
           "  quarvin-cli devices [--dir DIR | --list FILE] [--category NAME] [--maker TEXT] [--find TEXT]\n"
           "  quarvin-cli ops (--device TYPE | --dialog CLASS [--sub-type N]) [--dir DIR | --list FILE]\n"
           "  quarvin-cli chips [--tester [--dir DIR]]\n"
           "  quarvin-cli socket (--device TYPE | --dialog CLASS [--sub-type N]) [--dir DIR | --list FILE]\n"
           "                     [--svg FILE]\n"
           "  quarvin-cli run (--device TYPE | --dialog CLASS [--sub-type N]) [options] OPERATION...\n"
           "  quarvin-cli gang --port NAME --port NAME... (--device TYPE | --dialog CLASS) [options] OPERATION...\n"
           "  quarvin-cli compare (--device TYPE | --dialog CLASS [--sub-type N]) --in FILE [options] [--max N]\n"
           "  quarvin-cli where [--dir DIR]\n"
           "  quarvin-cli loopback --port NAME [--trace FILE]\n"
           "  quarvin-cli report [--port NAME] [--out FILE] [--dir DIR] [--trace FILE]\n"
           "  quarvin-cli trace-check FILE\n"
           "  quarvin-cli --help | --version\n"
           "\n"
           "convert  loads IN into a 4 MiB buffer that starts as at program start (first\n"
           "         1 MiB 0xFF, the rest 0) and saves the buffer range 0..end address to OUT.\n"
           "sum      loads FILE the same way and prints the buffer checksum of 0..end address\n"
           "         as the hex window's Sum field shows it (printf \"%8x\"); --crc32, --sha1 and\n"
           "         --sha256 add a line \"CRC-32 HEX\", \"SHA-1 HEX\", \"SHA-256 HEX\" each for the range.\n"
           "diff     loads FILE1 and FILE2 into two buffers and lists every differing address\n"
           "         with both values, in runs, up to --max N (default 100), and the total.\n"
           "devices  lists the device list: category, manufacturer, type, family, sub-type.\n"
           "ops      lists the operations and options of a device's family.\n"
           "chips    lists the chips the virtual box can hold; with --tester the logic IC tester's\n"
           "         types instead, from the libraries of the program directory: type, part,\n"
           "         package and the types a Search cannot tell from it.\n"
           "socket   draws where the device goes in the 40-pin socket: pin numbers, the part's\n"
           "         outline with its notch, each socket pin's role and the part's pin names.\n"
           "where    prints the program directory and why it was chosen: --dir, else the working\n"
           "         directory when it holds a device list, else ~/.local/share/quarvin.\n"
           "run      runs device operations in the order given, one line each on stdout:\n"
           "         \"OPERATION: MESSAGE\".\n"
           "gang     runs the same operations on every --port at once, each box with its own\n"
           "         chip, and ends with a table: port, serial number, result, message.\n"
           "compare  reads the chip as Read does and lists every address where it differs from\n"
           "         the buffer (Buffer Start .. Buffer Start + Length), as diff does.\n"
           "loopback tests a serial adapter with the box unplugged and TX joined to RX:\n"
           "         lost, changed and extra bytes, round trip and throughput.\n"
           "report   writes a bring-up report of the box on the port (default file\n"
           "         quarvin-report.txt; take any part out of the socket first).\n"
           "trace-check  summarises a link trace: bytes each way, largest gap, time-outs,\n"
           "         operations.\n"
           "\n"
           "File options:\n"
           "  --in-format F     format of IN; by default taken from its extension (.bin otherwise):\n"
           "                    .hex, .jed, .cds, .s19/.s28/.s37/.srec/.mot (srec), .elf\n"
           "  --out-format F    format of OUT; by default taken from its extension (.bin otherwise)\n"
           "  --load-mode N     binary loads: 0 All, 1 Defualt, 2/3 1th/2th char of word16,\n"
           "                    4..7 1th..4th char of word32 (default 0)\n"
           "  --start HEX       binary loads: buffer start address (default 0)\n"
           "  --end HEX         end address of the saved or summed range; by default the\n"
           "                    end address the load sets (run: Buffer Start + Length)\n"
           "  --fuses-per-row N, --fuse-rows N\n"
           "                    fuse map geometry of JEDEC files (default 32 and 64: GAL16V8;\n"
           "                    40/64 GAL20V8, 44/132 GAL22V10)\n"
           "\n"
           "Device options:\n"
           "  --dir DIR         program directory with the device lists and the port file\n"
           "                    (default: see where)\n"
           "  --list FILE       this device list instead of the one the board model picks\n"
           "  --category NAME, --maker TEXT, --find TEXT\n"
           "                    devices: only this category, makers and types containing TEXT\n"
           "  --device TYPE     the type as the selection dialog lists it, or MAKER/TYPE\n"
           "  --dialog CLASS    a family by its dialog class (TP27x), with --sub-type N\n"
           "  --svg FILE        socket: also write the picture as SVG to FILE\n"
           "\n"
           "Run options:\n"
           "  --in FILE         load FILE into the buffer first (file options apply)\n"
           "  --out FILE        save the buffer after the last operation (also after a lost link)\n"
           "  --buffer-start HEX, --device-start HEX, --length HEX\n"
           "                    the dialog's three fields (default 0, 0, the device's last address)\n"
           "  --option NAME=VALUE  a family option (see ops)\n"
           "  --set CONTROL=ITEM   selects a list item of the family's dialog by index or text,\n"
           "                    as a click would (logic IC tester: RadioGroup1, ListBox1)\n"
           "  --port NAME       VBOX, a device path or COM1..COM4; by default the port search\n"
           "  --soft-run        no box: nothing is sent, every reply reads 255\n"
           "  --trace FILE      run, report, loopback: every byte on the link into FILE (the\n"
           "                    newest 16 MiB are kept)\n"
           "  --yes             answer Yes to the family's questions (default No)\n"
           "  --force           run although --in had bad records, lost data or an incomplete\n"
           "                    fuse map, or although --out names the --in file\n"
           "  --allow-partial   exit 0 when a run did only part of the requested range\n"
           "  --changed-only    program (28C, 29EE, 24Cxx, 93Cxx): read the chip first, write\n"
           "                    only the pages that differ, then verify the whole range\n"
           "  --chip TYPE       VBOX: this chip in the socket (default a blank chip of the device)\n"
           "  --chip-image FILE VBOX: the chip's state is read from FILE and written back\n"
           "  --fault F         VBOX: stuck:ADDR:MASK:VALUE, noprogram:ADDR, empty, busy, nocontact:PIN,\n"
           "                    reversed or offset:N (repeatable)\n"
           "  --allow-stress    VBOX: list what stressed the chip but keep the operations' exit status\n"
           "  --check           run, gang: the socket check first (the operation check); when it\n"
           "                    fails nothing else is sent and the exit status is 1\n"
           "  --lang L          the family's messages in English (en) or Chinese (zh) instead of\n"
           "                    the classic texts scripts read (classic, the default)\n"
           "\n"
           "Production options (run, gang):\n"
           "  --serial ADDR:FORMAT[:START[:STEP]]\n"
           "                    writes a serial number into the buffer at ADDR (hex) before\n"
           "                    each program run: FORMAT le16, be16, le32, be32, bcdN, asciiN\n"
           "                    or hexN (N digits); START (default 0) and STEP (default 1)\n"
           "                    apply to a new counter. The counter moves on only when every\n"
           "                    operation succeeded; a failed chip's number goes to the next one\n"
           "  --serial-file F   the counter file (default serial.cnt in the program directory)\n"
           "  --log FILE        the run log, one JSON line per operation (default quarvin.log\n"
           "                    in the program directory)\n"
           "  --no-log          no run log\n"
           "  --json            one JSON object per operation on stdout and one with the exit\n"
           "                    status at the end; progress as JSON lines on stderr\n"
           "  --repeat          run: after each chip wait for the next one (Enter; on VBOX a\n"
           "                    line of --fault texts gives the next chip its faults), until\n"
           "                    Ctrl+C or the end of the input; prints a running tally\n"
           "\n"
           "Exit status of convert and sum: 0 done, 1 error (message on stderr), 2 done but the\n"
           "input had bad records or data beyond the buffer (warning on stderr).\n"
           "Exit status of diff: 0 no difference, 3 differences listed, otherwise as convert.\n"
           "Exit status of compare: as run; 1 when the chip differs from the buffer.\n"
           "Exit status of socket: 0 drawn, 1 the placement is not known or FILE could not be written,\n"
           "2 usage error.\n"
           "Exit status of gang: 0 every box succeeded, 1 a box failed, 2 usage error, 3 a link\n"
           "was lost.\n"
           "Exit status of run, devices, ops and chips: 0 every operation succeeded, 1 an operation\n"
           "failed, was stopped or refused (later ones are not run), 2 usage error or a damaged\n"
           "--in file, 3 the link was lost or no box answered, 4 every operation ran but one\n"
           "did only part of the requested range (0 with --allow-partial). SIGTERM and SIGHUP\n"
           "end a run as a second Ctrl+C does; --out and the chip image are still written.\n"
           "On VBOX, each event of the electrical referee is printed after the operations\n"
           "(\"stress: ...\") and makes the exit status 1 unless --allow-stress is given.\n";
}

std::vector<std::string> optionNames() {
    std::vector<std::string> names;
    const std::string text = usage();
    for (std::size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
        std::size_t end = at + 2;
        while (end < text.size() && (std::islower(static_cast<unsigned char>(text[end])) ||
                                     std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '-'))
            ++end;
        if (end == at + 2) continue;
        const std::string name = text.substr(at, end - at);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

namespace {

bool takesNoValue(const std::string& option) {
    return option == "--yes" || option == "--soft-run" || option == "--force" || option == "--allow-partial" ||
           option == "--changed-only" || option == "--allow-stress" || option == "--no-log" || option == "--json" ||
           option == "--repeat" || option == "--check" || option == "--tester";
}

bool& flagOf(Options& o, const std::string& option) {
    if (option == "--yes") return o.yes;
    if (option == "--soft-run") return o.softRun;
    if (option == "--force") return o.force;
    if (option == "--changed-only") return o.changedOnly;
    if (option == "--allow-stress") return o.allowStress;
    if (option == "--no-log") return o.noLog;
    if (option == "--json") return o.json;
    if (option == "--repeat") return o.repeat;
    if (option == "--check") return o.checkFirst;
    if (option == "--tester") return o.tester;
    return o.allowPartial;
}

// A buffer address: hexadecimal digits only, inside the 4 MiB buffer.
std::optional<std::int32_t> bufferAddress(const std::string& s) {
    if (s.empty() || s.size() > 8 || s.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    const unsigned long v = std::stoul(s, nullptr, 16);
    if (v > kBufferLast) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

bool deviceOption(Options& o, const std::string& a, const std::string& v, std::string& error);

bool fileOption(const std::string& a) {
    return a == "--in-format" || a == "--out-format" || a == "--load-mode" || a == "--start" || a == "--end" ||
           a == "--fuses-per-row" || a == "--fuse-rows" || a == "--max";
}

bool knownValueOption(const std::string& a) {
    Options scratch;
    std::string ignored;
    return fileOption(a) || deviceOption(scratch, a, "0", ignored);
}

std::optional<RomHashKind> hashOption(const std::string& option) {
    if (option == "--crc32") return RomHashKind::Crc32;
    if (option == "--sha1") return RomHashKind::Sha1;
    if (option == "--sha256") return RomHashKind::Sha256;
    return std::nullopt;
}

// Options of the device and run commands; false when the name is not one of them.
bool deviceOption(Options& o, const std::string& a, const std::string& v, std::string& error) {
    if (a == "--dir") {
        o.dir = v;
        o.dirGiven = true;
    }
    else if (a == "--list") o.list = v;
    else if (a == "--category") o.category = v;
    else if (a == "--maker") o.maker = v;
    else if (a == "--find") o.find = v;
    else if (a == "--device") o.device = v;
    else if (a == "--dialog") o.dialogClass = v;
    else if (a == "--sub-type") {
        auto n = decimal(v);
        if (!n || *n < 0) error = "--sub-type needs a row number, not '" + v + "'";
        else o.subType = *n;
    } else if (a == "--in") o.input = v;
    else if (a == "--out") o.output = v;
    else if (a == "--buffer-start") o.bufferStart = v;
    else if (a == "--device-start") o.deviceStart = v;
    else if (a == "--length") o.length = v;
    else if (a == "--option") {
        const auto eq = v.find('=');
        if (eq == std::string::npos || eq == 0) error = "--option needs NAME=VALUE, not '" + v + "'";
        else o.familyOptions.emplace_back(v.substr(0, eq), v.substr(eq + 1));
    } else if (a == "--set") {
        const auto eq = v.find('=');
        if (eq == std::string::npos || eq == 0) error = "--set needs CONTROL=ITEM, not '" + v + "'";
        else o.controls.emplace_back(v.substr(0, eq), v.substr(eq + 1));
    } else if (a == "--port") {
        o.port = v;
        o.ports.push_back(v);
    } else if (a == "--serial") o.serial = v;
    else if (a == "--serial-file") o.serialFile = v;
    else if (a == "--log") o.log = v;
    else if (a == "--trace") o.trace = v;
    else if (a == "--chip") o.chip = v;
    else if (a == "--svg") o.svg = v;
    else if (a == "--chip-image") o.chipImage = v;
    else if (a == "--fault") o.faults.push_back(v);
    else if (a == "--lang") {
        if (v != "classic" && v != "en" && v != "zh") error = "--lang needs classic, en or zh, not '" + v + "'";
        else o.language = v;
    }
    else return false;
    return true;
}

} // namespace

ParseResult parse(const std::vector<std::string>& args) {
    ParseResult r;
    Options& o = r.options;
    std::vector<std::string> positional;
    auto fail = [&](std::string e) {
        r.error = std::move(e);
        return r;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h" || a == "--version") {
            o.command = a == "--version" ? "version" : "help";
            return r;
        }
        if (a.rfind("--", 0) != 0) {
            positional.push_back(a);
            continue;
        }
        if (const auto hash = hashOption(a)) {
            o.hashes.push_back(*hash);
            continue;
        }
        if (takesNoValue(a)) {
            flagOf(o, a) = true;
            continue;
        }
        if (!knownValueOption(a)) return fail("unknown option " + a);
        if (i + 1 >= args.size()) return fail("option " + a + " needs a value");
        const std::string& v = args[++i];
        std::string error;
        if (a == "--in-format" || a == "--out-format") {
            auto f = formatNamed(v);
            if (!f) return fail("unknown format '" + v + "' (bin, hex, jed, cds, srec or elf)");
            (a == "--in-format" ? o.inFormat : o.outFormat) = f;
        } else if (a == "--load-mode") {
            auto n = decimal(v);
            if (!n || *n < 0 || *n > 7) return fail("load mode must be 0 to 7, not '" + v + "'");
            o.loadMode = *n;
        } else if (a == "--start" || a == "--end") {
            auto n = bufferAddress(v);
            if (!n) return fail("option " + a + " needs a buffer address, hexadecimal 0 to 3FFFFF, not '" + v + "'");
            if (a == "--start")
                o.start = *n;
            else
                o.end = *n;
        } else if (a == "--max") {
            auto n = decimal(v);
            if (!n || *n < 0) return fail("--max needs a count, not '" + v + "'");
            o.maxDifferences = *n;
        } else if (a == "--fuses-per-row" || a == "--fuse-rows") {
            auto n = decimal(v);
            if (!n || *n < 1 || *n > 100000) return fail("option " + a + " needs a number from 1 to 100000");
            (a == "--fuses-per-row" ? o.fusesPerRow : o.fuseRows) = *n;
            o.fuseGeometryGiven = true;
        } else if (!deviceOption(o, a, v, error)) {
            return fail("unknown option " + a);
        }
        if (!error.empty()) return fail(error);
    }
    if (positional.empty()) return fail("no command given");
    o.command = positional[0];
    if (o.command == "convert") {
        if (positional.size() != 3) return fail("convert needs IN and OUT");
        o.input = positional[1];
        o.output = positional[2];
    } else if (o.command == "sum") {
        if (positional.size() != 2) return fail("sum needs one FILE");
        o.input = positional[1];
    } else if (o.command == "diff") {
        if (positional.size() != 3) return fail("diff needs FILE1 and FILE2");
        o.input = positional[1];
        o.output = positional[2];
    } else if (o.command == "compare") {
        if (positional.size() != 1) return fail("compare takes no operations");
        if (o.input.empty()) return fail("compare needs --in FILE");
        o.operations = {"read"};
    } else if (o.command == "run" || o.command == "gang") {
        o.operations.assign(positional.begin() + 1, positional.end());
        if (o.operations.empty()) return fail(o.command + " needs at least one operation");
        if (o.command == "run" && o.ports.size() > 1) return fail("run takes one --port; gang runs several boxes");
        if (o.command == "gang" && o.ports.empty()) return fail("gang needs a --port for each box");
    } else if (o.command == "__complete") {
        if (positional.size() != 2) return fail("__complete needs what to list");
        o.completion = positional[1];
    } else if (o.command == "trace-check") {
        if (positional.size() != 2) return fail("trace-check needs one FILE");
        o.input = positional[1];
    } else if (o.command == "loopback" || o.command == "report") {
        if (positional.size() != 1) return fail(o.command + " takes no further arguments");
        if (o.command == "loopback" && !o.port) return fail("loopback needs --port NAME");
    } else if (o.command == "devices" || o.command == "ops" || o.command == "chips" || o.command == "where" ||
               o.command == "socket") {
        if (positional.size() != 1) return fail(o.command + " takes no further arguments");
    } else {
        return fail("unknown command '" + o.command + "'");
    }
    if (o.repeat && o.command != "run") return fail("--repeat works with run");
    if (o.tester && o.command != "chips") return fail("--tester works with chips");
    if (o.checkFirst) {
        if (o.command != "run" && o.command != "gang") return fail("--check works with run and gang");
        if (o.operations.front() != "check") o.operations.insert(o.operations.begin(), "check");
    }
    if ((o.command == "run" || o.command == "gang" || o.command == "ops" || o.command == "compare" ||
         o.command == "socket") &&
        o.device.empty() == o.dialogClass.empty())
        return fail(o.command + " needs either --device or --dialog");
    return r;
}

} // namespace quarvin::cli
