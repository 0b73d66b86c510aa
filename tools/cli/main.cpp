// quarvin-cli: converts data files between the program's formats, lists where two
// differ, prints the buffer checksum and hashes of a file, lists the device lists
// and the virtual box's chips, and runs device operations, all with the
// program's own code.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Commands.h"
#include "Completion.h"
#include "DataFiles.h"
#include "Language.h"
#include "Options.h"
#include "buffer/Differences.h"
#include "buffer/RomHash.h"
#include "shell/ProgramDirectory.h"
#include "shell/Version.h"
#include "sim/VirtualBoxTransport.h"

using namespace quarvin;
using quarvin::cli::Format;

namespace {

// Exit status of convert, sum and diff.
constexpr int kExitError = 1;
constexpr int kExitWarning = 2;
constexpr int kExitDifferent = 3;
// Exit status of a bad command line of the device commands.
constexpr int kExitUsage = 2;

int error(const std::string& text) {
    std::fprintf(stderr, "quarvin-cli: %s\n", text.c_str());
    return kExitError;
}

bool isDeviceCommand(const std::string& command) {
    return command == "devices" || command == "ops" || command == "chips" || command == "run" || command == "compare" ||
           command == "gang" || command == "loopback" || command == "report" || command == "trace-check" ||
           command == "socket";
}

// Loads one file into a fresh buffer as the program starts with; prints its
// warning and note. False after an error message.
bool loadInput(const cli::Options& o, const std::string& path, MainBuffer& buffer, cli::Loaded& l) {
    buffer.initialise();
    l = cli::LoadDataFile(buffer, cli::LoadRequestOf(o, path));
    if (!l.ok) {
        error(l.failureFor(path));
        return false;
    }
    if (!l.warning.empty()) std::fprintf(stderr, "quarvin-cli: %s: %s\n", path.c_str(), l.warning.c_str());
    if (!l.note.empty()) std::fprintf(stderr, "quarvin-cli: %s: %s\n", path.c_str(), l.note.c_str());
    return true;
}

// Lists the bytes that differ between two files over both files' ranges.
int diffFiles(const cli::Options& o) {
    auto first = std::make_unique<MainBuffer>(), second = std::make_unique<MainBuffer>();
    cli::Loaded a, b;
    if (!loadInput(o, o.input, *first, a) || !loadInput(o, o.output, *second, b)) return kExitError;
    const std::int64_t end = std::min<std::int64_t>(o.end.value_or(std::max(a.endAddress, b.endAddress)), kBufferLast);
    DifferenceList differences(o.maxDifferences);
    if (end >= 0) differences.compare(0, first->data(), second->data(), end + 1);
    std::fputs(differences.text("FILE1", "FILE2").c_str(), stdout);
    if (!differences.empty()) return kExitDifferent;
    return a.warning.empty() && b.warning.empty() ? 0 : kExitWarning;
}

int convertOrSum(const cli::Options& o) {
    const Format outFormat = o.outFormat.value_or(cli::formatFromName(o.output));
    if (o.command == "convert" && outFormat == Format::Cds) return error("Bad format: .CDS files cannot be written");

    if (o.command == "convert" && outFormat == Format::Elf) return error("Bad format: ELF files cannot be written");

    const formats::FuseGeometry geometry{o.fusesPerRow, o.fuseRows};
    auto buffer = std::make_unique<MainBuffer>();
    cli::Loaded l;
    if (!loadInput(o, o.input, *buffer, l)) return kExitError;
    const std::int32_t end = o.end.value_or(l.endAddress);

    if (o.command == "sum") {
        std::printf("%8x\n", buffer->checksum(end));
        for (RomHashKind kind : o.hashes)
            std::printf("%s %s\n", romHashName(kind), romHash(kind, *buffer, 0, end).c_str());
    } else if (!cli::SaveDataFile(*buffer, o.output, outFormat, end, geometry, l.srec)) {
        return error("Can't write this file: " + o.output);
    }
    return l.warning.empty() ? 0 : kExitWarning;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = cli::parse(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "quarvin-cli: %s\n\n%s", parsed.error.c_str(), cli::usage().c_str());
        return !args.empty() && isDeviceCommand(args.front()) ? kExitUsage : kExitError;
    }
    cli::Options o = parsed.options;
    if (o.command == "help") {
        std::fputs(cli::usage().c_str(), stdout);
        return 0;
    }
    if (o.command == "version") {
        std::printf("%s\n", VersionLine("quarvin-cli").c_str());
        return 0;
    }
    if (std::string why; !cli::SetLanguage(o.language, why)) {
        std::fprintf(stderr, "quarvin-cli: %s\n", why.c_str());
        return kExitError;
    }
    // Without --dir: the working directory when it holds a device list, else the
    // user's own program directory, set up from the installed lists.
    const bool usesDir = (isDeviceCommand(o.command) && (o.command != "chips" || o.tester)) ||
                         o.command == "where" || o.command == "__complete";
    if (usesDir) {
        ProgramDirRequest where = CurrentProgramDirRequest(o.dirGiven ? std::optional(o.dir) : std::nullopt);
        where.firstStartPort = sim::VirtualPortName;
        const ProgramDirChoice choice = ChooseProgramDir(where);
        o.dir = choice.dir;
        if (o.command != "__complete") {
            for (const std::string& note : choice.done) std::fprintf(stderr, "quarvin-cli: %s\n", note.c_str());
            for (const std::string& note : choice.warnings) std::fprintf(stderr, "quarvin-cli: %s\n", note.c_str());
        }
        if (o.command == "where") {
            std::printf("%s\n", DescribeProgramDir(choice).c_str());
            return 0;
        }
    }
    if (o.command == "__complete") return cli::CompleteCommand(o, std::cout);
    if (o.command == "devices") return cli::DevicesCommand(o, std::cout, std::cerr);
    if (o.command == "ops") return cli::OpsCommand(o, std::cout, std::cerr);
    if (o.command == "chips")
        return o.tester ? cli::TesterTypesCommand(o, std::cout, std::cerr) : cli::ChipsCommand(std::cout);
    if (o.command == "socket") return cli::SocketCommand(o, std::cout, std::cerr);
    if (o.command == "run" || o.command == "compare") return cli::RunCommand(o, std::cout, std::cerr);
    if (o.command == "gang") return cli::GangCommand(o, std::cout, std::cerr);
    if (o.command == "diff") return diffFiles(o);
    if (o.command == "loopback") return cli::LoopbackCommand(o, std::cout, std::cerr);
    if (o.command == "report") return cli::ReportCommand(o, std::cout, std::cerr);
    if (o.command == "trace-check") return cli::TraceCheckCommand(o, std::cout, std::cerr);
    return convertOrSum(o);
}
