// quarvin-cli: converts data files between the program's formats and prints the
// buffer checksum of a file, with the program's own loaders and writers.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Options.h"
#include "buffer/MainBuffer.h"
#include "buffer/TFileFormat.h"
#include "buffer/formats/BinaryFormat.h"
#include "buffer/formats/IntelHex.h"
#include "buffer/formats/Jedec.h"

using namespace quarvin;
using quarvin::cli::Format;

namespace {

constexpr int kExitError = 1;
constexpr int kExitWarning = 2;

struct Loaded {
    bool ok = false;
    std::int32_t endAddress = -1;
    std::string warning;
};

Loaded load(MainBuffer& buffer, const cli::Options& o, Format format, const formats::FuseGeometry& geometry) {
    Loaded l;
    switch (format) {
    case Format::Hex: {
        const auto r = formats::readIntelHexFile(buffer, o.input);
        l.ok = r.opened;
        l.endAddress = r.highestAddress < 0 ? 0 : static_cast<std::int32_t>(r.highestAddress);
        l.warning = r.problemText();
        break;
    }
    case Format::Jed: {
        const auto r = formats::readJedecFile(buffer, geometry, o.input);
        l.ok = r.opened;
        l.endAddress = static_cast<std::int32_t>(geometry.fuseCount() - 1);
        l.warning = r.problemText();
        break;
    }
    case Format::Cds: {
        const auto r = formats::loadCdsFile(buffer, o.input);
        l.ok = r.opened;
        l.endAddress = r.endAddress;
        break;
    }
    case Format::Bin: {
        // The lane pair of a load mode is the one the format dialog takes from it.
        TFileFormat dialog;
        dialog.userSetIndex("RadioGroup2", o.loadMode);
        const auto r = formats::loadBinaryFile(buffer, o.input, o.start, dialog.laneMask(), dialog.laneSelect());
        l.ok = r.opened;
        l.endAddress = r.endAddress;
        break;
    }
    }
    return l;
}

bool save(const MainBuffer& buffer, const std::string& path, Format format, std::int32_t end,
          const formats::FuseGeometry& geometry) {
    switch (format) {
    case Format::Hex:
        return formats::saveIntelHexFile(buffer, end, path);
    case Format::Jed:
        return formats::saveJedecFile(buffer, geometry, path);
    case Format::Bin:
        return formats::saveBinaryFile(buffer, end, path);
    case Format::Cds:
        break;
    }
    return false;
}

int error(const std::string& text) {
    std::fprintf(stderr, "quarvin-cli: %s\n", text.c_str());
    return kExitError;
}

} // namespace

int main(int argc, char** argv) {
    const auto parsed = cli::parse(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "quarvin-cli: %s\n\n%s", parsed.error.c_str(), cli::usage().c_str());
        return kExitError;
    }
    const cli::Options& o = parsed.options;
    if (o.command == "help") {
        std::fputs(cli::usage().c_str(), stdout);
        return 0;
    }

    const Format inFormat = o.inFormat.value_or(cli::formatFromName(o.input));
    const Format outFormat = o.outFormat.value_or(cli::formatFromName(o.output));
    if (o.command == "convert" && outFormat == Format::Cds) return error("Bad format: .CDS files cannot be written");

    const formats::FuseGeometry geometry{o.fusesPerRow, o.fuseRows};
    auto buffer = std::make_unique<MainBuffer>();
    buffer->initialise();
    const Loaded l = load(*buffer, o, inFormat, geometry);
    if (!l.ok) return error("Can't open this file: " + o.input);
    if (!l.warning.empty()) std::fprintf(stderr, "quarvin-cli: %s: %s\n", o.input.c_str(), l.warning.c_str());
    const std::int32_t end = o.end.value_or(l.endAddress);

    if (o.command == "sum") {
        std::printf("%8x\n", buffer->checksum(end));
    } else if (!save(*buffer, o.output, outFormat, end, geometry)) {
        return error("Can't write this file: " + o.output);
    }
    return l.warning.empty() ? 0 : kExitWarning;
}
