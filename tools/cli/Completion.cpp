#include "Completion.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "Commands.h"
#include "DeviceChoice.h"
#include "DeviceList.h"
#include "OperationRunner.h"
#include "families/framework/FamilySession.h"
#include "sim/SimFamily.h"

namespace quarvin::cli {

namespace {

// The commands of the usage lines "  quarvin-cli COMMAND ...", each once.
std::vector<std::string> CommandNames() {
    std::vector<std::string> names;
    std::istringstream lines(usage());
    const std::string lead = "  quarvin-cli ";
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(lead, 0) != 0) continue;
        const std::string word = line.substr(lead.size(), line.find(' ', lead.size()) - lead.size());
        if (!word.empty() && word[0] != '-' && std::find(names.begin(), names.end(), word) == names.end())
            names.push_back(word);
    }
    return names;
}
const char* const FormatNames[] = {"bin", "hex", "jed", "cds", "srec", "elf"};

std::string ListPath(const Options& o) { return o.list.value_or(DeviceListPath(o.dir, 0)); }

// The device --device names; nothing when it names none. A type that several
// makers list is taken as the first maker's: the family is the same.
std::optional<ChosenDevice> DeviceOf(const Options& o) {
    const std::string path = ListPath(o);
    const auto entries = ReadDeviceList(path);
    Options first = o;
    if (!o.device.empty() && entries) {
        const auto found = FindDevice(*entries, o.device);
        if (!found.empty()) first.device = found.front().maker + "/" + found.front().type;
    }
    return ChooseDevice(first, entries, path).device;
}

} // namespace

int CompleteCommand(const Options& o, std::ostream& out) {
    const std::string& what = o.completion;
    if (what == "commands") {
        for (const std::string& c : CommandNames()) out << c << '\n';
    } else if (what == "options") {
        for (const std::string& name : optionNames()) out << name << '\n';
    } else if (what == "formats") {
        for (const char* f : FormatNames) out << f << '\n';
    } else if (what == "devices") {
        // Each type once, then each as MAKER/TYPE, the form that tells apart a type
        // several makers list.
        std::set<std::string> seen;
        if (const auto entries = ReadDeviceList(ListPath(o))) {
            for (const DeviceEntry& e : *entries)
                if (seen.insert(e.type).second) out << e.type << '\n';
            for (const DeviceEntry& e : *entries)
                if (seen.insert(e.maker + "/" + e.type).second) out << e.maker << '/' << e.type << '\n';
        }
    } else if (what == "operations" || what == "settings") {
        if (o.device.empty() && o.dialogClass.empty()) return 0;
        const auto device = DeviceOf(o);
        if (!device) return 0;
        const auto session = device->family->makeSession();
        if (what == "operations")
            for (const auto& op : OperationsOf(*device, *session, false)) out << op.name << '\n';
        else
            for (const auto& opt : session->options()) out << opt.name << "=\n";
    } else if (what == "chips") {
        for (const sim::ChipOffer& offer : sim::ChipOffers()) out << offer.label << '\n';
    } else {
        return static_cast<int>(ExitCode::Usage);
    }
    return 0;
}

} // namespace quarvin::cli
