#include "IcList.h"

#include <memory>
#include <sstream>

#include "families/logic_ic/IcLibrary.h"
#include "families/logic_ic/IcTest.h"
#include "link/commands/LinkOps.h"
#include "sim/Box.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/families/logic_ic/LogicChip.h"
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::icvec {

namespace {

const std::vector<sim::LogicPart>& PartsOfClass(int icClass) {
    switch (icClass) {
    case 1: return sim::Cmos40Parts();
    case 2: return sim::Cmos45Parts();
    default: return sim::Ttl74Parts();
    }
}

const sim::LogicPart* ModelOf(int icClass, int number) {
    for (const sim::LogicPart& part : PartsOfClass(icClass))
        if (part.number == number) return &part;
    return nullptr;
}

// A Markdown table cell: no bar or line break may end it early.
std::string Cell(const std::string& text) {
    std::string cell;
    for (char c : text) cell += c == '|' ? std::string("\\|") : c == '\n' ? std::string(" ") : std::string(1, c);
    return cell.empty() ? "-" : cell;
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : separator) + item;
    return text;
}

// The notes of an entry without its pin-layout lines ("pins 1-8: ...").
std::string NotesOf(const CompiledIc& ic) {
    std::vector<std::string> kept;
    for (const std::string& line : ic.notes)
        if (line.rfind("pins ", 0) != 0) kept.push_back(line);
    return Joined(kept, " ");
}

} // namespace

std::vector<std::string> SearchFinds(const ListedLibrary& library, int number) {
    return SearchFinds(library.icClass, IcLibrary::Parse(library.compiled.library), number);
}

const char* ModelName(int icClass, int number) {
    const sim::LogicPart* part = ModelOf(icClass, number);
    return part ? part->name : nullptr;
}

std::vector<std::string> SearchFinds(int icClass, const IcLibrary& lib, int number) {
    const sim::LogicPart* part = ModelOf(icClass, number);
    if (!part) return {};
    auto box = std::make_shared<sim::Box>();
    box->insert(std::make_shared<sim::LogicChip>(*part));
    LinkState link;
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    link.connected = 1;
    ResetSocket(link);
    SetVppLevel(link, 0);
    ShutDownSocket(link);
    const OperationHooks hooks;
    const IcSearchResult r = IcSearch(link, lib, hooks);
    std::vector<std::string> types;
    for (std::size_t i : r.found) types.push_back(IcTypeName(icClass, lib.entries()[i].number));
    return types;
}

std::string IcListMarkdown(const std::vector<ListedLibrary>& libraries) {
    std::ostringstream out;
    out << "# Logic IC tester: the types of its libraries\n\n"
           "Generated from the vector sources beside this file and the virtual box's chip\n"
           "models by `quarvin-icvec --list ttl74.vec cmos40.vec cmos45.vec` (run in\n"
           "data/ictest); do not edit. \"Same to the box\" are the other types a Search\n"
           "lists with the part in the socket: the tester cannot tell them apart. \"Not\n"
           "checked\" names the pins no row of the entry looks at in a way.\n";
    for (const ListedLibrary& library : libraries) {
        const std::string file = IcClasses()[static_cast<std::size_t>(library.icClass)].fileName;
        out << "\n## " << file << " (" << library.source << "): " << library.compiled.ics.size() << " types\n\n"
            << "| Type | Part | Package | Same to the box | Not checked | Notes |\n"
            << "|---|---|---|---|---|---|\n";
        for (const CompiledIc& ic : library.compiled.ics) {
            const std::string type = IcTypeName(library.icClass, ic.number);
            std::vector<std::string> same;
            for (const std::string& found : SearchFinds(library, ic.number))
                if (found != type) same.push_back(found);
            out << "| " << type << " | " << Cell(ic.name) << " | DIP-" << ic.pins << " | " << Cell(Joined(same, " "))
                << " | " << Cell(Joined(ic.unchecked, "; ")) << " | " << Cell(NotesOf(ic)) << " |\n";
        }
    }
    return out.str();
}

} // namespace quarvin::icvec
