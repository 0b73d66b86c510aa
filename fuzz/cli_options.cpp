// Feeds arbitrary command lines (arguments split at line ends) to quarvin-cli's
// option parser and checks that a line it accepts holds a known command with the
// values inside their documented ranges, and that a refused one says why.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "cli/Options.h"

using namespace quarvin::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') args.emplace_back();
        else args.back() += static_cast<char>(data[i]);
    }
    const ParseResult r = parse(args);
    if (!r.error.empty()) return 0;
    const Options& o = r.options;
    static const std::set<std::string> commands = {
        "convert", "sum", "diff", "compare", "run", "gang", "__complete", "trace-check", "loopback",
        "report", "devices", "ops", "chips", "where", "socket", "help", "version"};
    if (!commands.count(o.command)) std::abort();
    if (o.command == "help" || o.command == "version") return 0;
    if (o.loadMode < 0 || o.loadMode > 7 || o.subType < 0) std::abort();
    if (o.fusesPerRow < 1 || o.fusesPerRow > 100000 || o.fuseRows < 1 || o.fuseRows > 100000) std::abort();
    if (o.command == "gang" && o.ports.empty()) std::abort();
    // --check puts the socket check before the listed operations.
    if (o.checkFirst && (o.operations.empty() || o.operations.front() != "check")) std::abort();
    if (o.command == "run" && o.ports.size() > 1) std::abort();
    if ((o.command == "run" || o.command == "gang" || o.command == "compare") &&
        (o.operations.empty() || o.device.empty() == o.dialogClass.empty()))
        std::abort();
    // File names come from positional arguments (an empty one fails later, when opened);
    // compare takes its file from --in, which the parser must have demanded.
    if (o.command == "compare" && o.input.empty()) std::abort();
    if (o.command == "loopback" && !o.port) std::abort();
    if (o.command == "socket" && o.device.empty() == o.dialogClass.empty()) std::abort();
    for (const auto& [name, value] : o.familyOptions)
        if (name.empty()) std::abort();
    for (const auto& [control, item] : o.controls)
        if (control.empty()) std::abort();
    return 0;
}
