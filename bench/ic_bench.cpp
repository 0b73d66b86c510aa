// The logic IC tester through the in-process virtual box: "Search" of the whole
// TTL library with a 74LS138 and with a 74LS133 in the socket and "Founction" on
// a 74LS193 (loop vectors). Line time, host CPU time and its share, the command stream's own
// cost; "name value unit" lines, the results on stderr. The library is the one
// the build compiled from data/ictest/ttl74.vec (else the committed
// data/TTL74.LIB); a part or entry the library does not hold yet is reported as
// skipped.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchMeasure.h"
#include "families/logic_ic/IcTest.h"
#include "link/commands/LinkOps.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace {

using namespace quarvin;

void Skipped(const std::string& name, const std::string& why) { std::printf("%s skipped (%s)\n", name.c_str(), why.c_str()); }

std::optional<IcLibrary> TtlLibrary() {
    for (const std::filesystem::path& p : {std::filesystem::path(QUARVIN_BINARY_DIR) / "data/TTL74.LIB",
                                           std::filesystem::path(QUARVIN_SOURCE_DIR) / "data/TTL74.LIB"})
        if (auto lib = IcLibrary::Load(p.string())) return lib;
    return std::nullopt;
}

struct IcBench {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    LinkState link;
    OperationHooks hooks;
    explicit IcBench(const sim::ChipOffer& part) {
        box->insert(part.make());
        link.port = std::make_unique<sim::VirtualBoxTransport>(box);
        link.connected = 1;
        ResetSocket(link);
        SetVppLevel(link, 0);
        ShutDownSocket(link);
    }
};

std::optional<std::size_t> EntryOf(const IcLibrary& lib, std::int32_t number) {
    for (std::size_t i = 0; i < lib.entries().size(); ++i)
        if (lib.entries()[i].number == number) return i;
    return std::nullopt;
}

// "Search" of the whole library with one part in the socket.
void SearchWith(const IcLibrary& lib, const std::string& partName, std::int32_t number) {
    std::string lower = partName;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string name = "ic_search_ttl74_with_" + lower;
    const sim::ChipOffer* part = sim::FindOffer(partName);
    if (!part) return Skipped(name, "no " + partName + " model");
    if (!EntryOf(lib, number)) return Skipped(name, "no entry " + std::to_string(number) + " in TTL74.LIB");
    IcBench b(*part);
    IcSearchResult r;
    const bench::Measured m = bench::Measure(*b.box, [&] { r = IcSearch(b.link, lib, b.hooks); });
    bench::PrintMeasured(name, m);
    bench::Print(name + "_entries", static_cast<double>(lib.entries().size()), "types");
    std::string found;
    for (std::size_t i : r.found) found += " " + IcTypeName(0, lib.entries()[i].number);
    std::fprintf(stderr, "%s: %s:%s\n", name.c_str(), r.result.message.c_str(), found.c_str());
}

void FounctionOn193(const IcLibrary& lib) {
    const std::string name = "ic_founction_74ls193";
    const sim::ChipOffer* part = sim::FindOffer("74LS193");
    if (!part) return Skipped(name, "no 74LS193 model");
    const auto entry = EntryOf(lib, 193);
    if (!entry) return Skipped(name, "no entry 193 in TTL74.LIB");
    IcBench b(*part);
    OperationResult r;
    const bench::Measured m = bench::Measure(*b.box, [&] { r = IcFounction(b.link, lib, *entry, b.hooks); });
    bench::PrintMeasured(name, m);
    bench::Print(name + "_vectors", lib.entries()[*entry].count, "vectors");
    std::fprintf(stderr, "%s: %s\n", name.c_str(), r.message.c_str());
}

} // namespace

int main() {
    const auto lib = TtlLibrary();
    if (!lib) {
        Skipped("ic_search_ttl74_with_74ls138", "no TTL74.LIB");
        Skipped("ic_search_ttl74_with_74ls133", "no TTL74.LIB");
        Skipped("ic_founction_74ls193", "no TTL74.LIB");
        return 0;
    }
    SearchWith(*lib, "74LS138", 138);
    SearchWith(*lib, "74LS133", 133);
    FounctionOn193(*lib);
    return 0;
}
