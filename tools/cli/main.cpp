// quarvin-cli: converts data files between the program's formats, prints the
// buffer checksum of a file, lists the device lists and the virtual box's chips,
// and runs device operations, all with the program's own code.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Commands.h"
#include "DataFiles.h"
#include "Options.h"

using namespace quarvin;
using quarvin::cli::Format;

namespace {

// Exit status of convert and sum.
constexpr int kExitError = 1;
constexpr int kExitWarning = 2;
// Exit status of a bad command line of the device commands.
constexpr int kExitUsage = 2;

int error(const std::string& text) {
    std::fprintf(stderr, "quarvin-cli: %s\n", text.c_str());
    return kExitError;
}

bool isDeviceCommand(const std::string& command) {
    return command == "devices" || command == "ops" || command == "chips" || command == "run" ||
           command == "loopback" || command == "report" || command == "trace-check";
}

int convertOrSum(const cli::Options& o) {
    const Format outFormat = o.outFormat.value_or(cli::formatFromName(o.output));
    if (o.command == "convert" && outFormat == Format::Cds) return error("Bad format: .CDS files cannot be written");

    const formats::FuseGeometry geometry{o.fusesPerRow, o.fuseRows};
    auto buffer = std::make_unique<MainBuffer>();
    buffer->initialise();
    const cli::Loaded l = cli::LoadDataFile(*buffer, cli::LoadRequestOf(o, o.input));
    if (!l.ok) return error(l.failure() + " " + o.input);
    if (!l.warning.empty()) std::fprintf(stderr, "quarvin-cli: %s: %s\n", o.input.c_str(), l.warning.c_str());
    const std::int32_t end = o.end.value_or(l.endAddress);

    if (o.command == "sum") {
        std::printf("%8x\n", buffer->checksum(end));
    } else if (!cli::SaveDataFile(*buffer, o.output, outFormat, end, geometry)) {
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
    const cli::Options& o = parsed.options;
    if (o.command == "help") {
        std::fputs(cli::usage().c_str(), stdout);
        return 0;
    }
    if (o.command == "devices") return cli::DevicesCommand(o, std::cout, std::cerr);
    if (o.command == "ops") return cli::OpsCommand(o, std::cout, std::cerr);
    if (o.command == "chips") return cli::ChipsCommand(std::cout);
    if (o.command == "run") return cli::RunCommand(o, std::cout, std::cerr);
    if (o.command == "loopback") return cli::LoopbackCommand(o, std::cout, std::cerr);
    if (o.command == "report") return cli::ReportCommand(o, std::cout, std::cerr);
    if (o.command == "trace-check") return cli::TraceCheckCommand(o, std::cout, std::cerr);
    return convertOrSum(o);
}
