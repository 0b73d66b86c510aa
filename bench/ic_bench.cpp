// The logic IC tester through the in-process virtual box: "Search" of the whole
// TTL library with a 74LS138 and with a 74LS133 in the socket, "Founction" on a
// 74LS193 (loop vectors) and "Search" of the whole CMOS40 library with a
// CD4017B; the searches on a link that waits for every reply (a serial port
// whose read-ahead was never probed) and, as "_ahead", on one that sends
// ahead with the default window. Line time, host CPU time and its share, the command stream's own
// cost; "name value unit" lines, the results on stderr. A library is the one the
// build compiled from data/ictest/*.vec (else the committed data/*.LIB); a part
// or entry the library does not hold yet is reported as skipped.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchMeasure.h"
#include "families/logic_ic/IcPackageSearch.h"
#include "families/logic_ic/IcTest.h"
#include "link/FastLinkSettings.h"
#include "link/commands/LinkOps.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace {

using namespace quarvin;

// IcClasses(): 74xx, 40xx, 45xx.
constexpr int kTtlClass = 0;
constexpr int kCmos40Class = 1;

void Skipped(const std::string& name, const std::string& why) { std::printf("%s skipped (%s)\n", name.c_str(), why.c_str()); }

std::optional<IcLibrary> LoadLibrary(const std::string& file) {
    for (const std::filesystem::path& p : {std::filesystem::path(QUARVIN_BINARY_DIR) / "data" / file,
                                           std::filesystem::path(QUARVIN_SOURCE_DIR) / "data" / file})
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

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "Search" of a whole library (named by its file, "TTL74.LIB") with one part in
// the socket; `number` is the part's own entry.
void SearchWith(const std::string& file, int icClass, const std::string& partName, std::int32_t number,
                int window) {
    const std::string name = "ic_search_" + Lower(file.substr(0, file.find('.'))) + "_with_" + Lower(partName) +
                             (window > 1 ? "_ahead" : "");
    const auto lib = LoadLibrary(file);
    if (!lib) return Skipped(name, "no " + file);
    const sim::ChipOffer* part = sim::FindOffer(partName);
    if (!part) return Skipped(name, "no " + partName + " model");
    if (!EntryOf(*lib, number)) return Skipped(name, "no entry " + std::to_string(number) + " in " + file);
    IcBench b(*part);
    b.link.readAheadWindow = window;
    IcSearchResult r;
    const bench::Measured m = bench::Measure(*b.box, [&] { r = IcSearch(b.link, *lib, b.hooks); });
    bench::PrintMeasured(name, m);
    bench::Print(name + "_entries", static_cast<double>(lib->entries().size()), "types");
    std::string found;
    for (std::size_t i : r.found) found += " " + IcTypeName(icClass, lib->entries()[i].number);
    std::fprintf(stderr, "%s: %s:%s\n", name.c_str(), r.result.message.c_str(), found.c_str());
}

// "Search" as the tester runs it, one package at a time from the largest down
// to the first type's (IcSearchByPackage), the first type selected.
void SearchByPackageWith(const std::string& file, int icClass, const std::string& partName) {
    const std::string name = "ic_search_by_package_" + Lower(file.substr(0, file.find('.'))) + "_with_" + Lower(partName);
    const auto lib = LoadLibrary(file);
    if (!lib || lib->entries().empty()) return Skipped(name, "no " + file);
    const sim::ChipOffer* part = sim::FindOffer(partName);
    if (!part) return Skipped(name, "no " + partName + " model");
    IcBench b(*part);
    IcSearchResult r;
    const bench::Measured m = bench::Measure(
        *b.box, [&] { r = IcSearchByPackage(b.link, *lib, lib->entries().front().vccPin, b.hooks); });
    bench::PrintMeasured(name, m);
    std::string found;
    for (std::size_t i : r.found) found += " " + IcTypeName(icClass, lib->entries()[i].number);
    std::fprintf(stderr, "%s: %s:%s\n", name.c_str(), r.result.message.c_str(), found.c_str());
}

void FounctionOn193() {
    const std::string name = "ic_founction_74ls193";
    const auto lib = LoadLibrary("TTL74.LIB");
    if (!lib) return Skipped(name, "no TTL74.LIB");
    const sim::ChipOffer* part = sim::FindOffer("74LS193");
    if (!part) return Skipped(name, "no 74LS193 model");
    const auto entry = EntryOf(*lib, 193);
    if (!entry) return Skipped(name, "no entry 193 in TTL74.LIB");
    IcBench b(*part);
    OperationResult r;
    const bench::Measured m = bench::Measure(*b.box, [&] { r = IcFounction(b.link, *lib, *entry, b.hooks); });
    bench::PrintMeasured(name, m);
    bench::Print(name + "_vectors", lib->entries()[*entry].count, "vectors");
    std::fprintf(stderr, "%s: %s\n", name.c_str(), r.message.c_str());
}

} // namespace

int main() {
    for (const int window : {1, DefaultReadAheadWindow}) {
        SearchWith("CMOS40.LIB", kCmos40Class, "CD4017B", 17, window);
        SearchWith("TTL74.LIB", kTtlClass, "74LS138", 138, window);
        SearchWith("TTL74.LIB", kTtlClass, "74LS133", 133, window);
    }
    SearchByPackageWith("TTL74.LIB", kTtlClass, "74LS138");
    SearchByPackageWith("CMOS40.LIB", kCmos40Class, "CD4017B");
    FounctionOn193();
    return 0;
}
