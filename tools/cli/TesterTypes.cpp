// chips --tester: the logic IC tester's types as its libraries in the program
// directory hold them, with the part the virtual box models for each, its
// package and the types a Search also lists with that part in the socket. The
// same listing as data/ictest/LIST.md, read from the compiled libraries.
#include <filesystem>

#include "Commands.h"
#include "IcList.h"
#include "OperationRunner.h"
#include "families/logic_ic/IcLibrary.h"

namespace quarvin::cli {

namespace {

// A part sits bottom-aligned in the 40-pin socket, its ground on socket pin 20:
// its last pin (Vcc) lands on socket pin 20 + pins / 2.
std::string PackageOf(const IcEntry& entry) {
    return entry.vccPin > 20 ? "DIP-" + std::to_string(2 * (entry.vccPin - 20)) : "-";
}

} // namespace

int TesterTypesCommand(const Options& o, std::ostream& out, std::ostream& err) {
    bool complete = true;
    for (std::size_t icClass = 0; icClass < IcClasses().size(); ++icClass) {
        const std::string file = IcClasses()[icClass].fileName;
        const auto library = IcLibrary::Load((std::filesystem::path(o.dir) / file).string());
        if (!library) {
            err << "quarvin-cli: no library file " << file << " in " << o.dir << '\n';
            complete = false;
            continue;
        }
        if (library->damaged()) {
            err << "quarvin-cli: " << file << " is damaged; the types after its last whole record are missing\n";
            complete = false;
        }
        const int cls = static_cast<int>(icClass);
        for (const IcEntry& entry : library->entries()) {
            const std::string type = IcTypeName(cls, entry.number);
            std::string same;
            for (const std::string& found : icvec::SearchFinds(cls, *library, entry.number))
                if (found != type) same += (same.empty() ? "" : " ") + found;
            const char* part = icvec::ModelName(cls, entry.number);
            out << type << '\t' << (part ? part : "-") << '\t' << PackageOf(entry) << '\t'
                << (same.empty() ? "-" : same) << '\n';
        }
    }
    return static_cast<int>(complete ? ExitCode::Ok : ExitCode::Failed);
}

} // namespace quarvin::cli
