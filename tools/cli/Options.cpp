#include "Options.h"

#include <charconv>

#include "buffer/TFileFormat.h"
#include "buffer/formats/FileNames.h"

namespace quarvin::cli {

namespace {

std::optional<Format> formatNamed(const std::string& s) {
    if (s == "bin") return Format::Bin;
    if (s == "hex") return Format::Hex;
    if (s == "jed") return Format::Jed;
    if (s == "cds") return Format::Cds;
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
    const std::string key = formats::formatKeyOf(path);
    if (key == ".HEX") return Format::Hex;
    if (key == ".JED") return Format::Jed;
    if (key == ".CDS") return Format::Cds;
    return Format::Bin;
}

std::string usage() {
    return "Usage:\n"
           "  quarvin-cli convert IN OUT [--in-format bin|hex|jed|cds] [--out-format bin|hex|jed]\n"
           "                             [--load-mode N] [--start HEX] [--end HEX]\n"
           "                             [--fuses-per-row N] [--fuse-rows N]\n"
           "  quarvin-cli sum FILE [--in-format bin|hex|jed|cds] [--load-mode N] [--start HEX] [--end HEX]\n"
           "  quarvin-cli --help\n"
           "\n"
           "convert  loads IN into a 4 MiB buffer that starts as at program start (first\n"
           "         1 MiB 0xFF, the rest 0) and saves the buffer range 0..end address to OUT.\n"
           "sum      loads FILE the same way and prints the buffer checksum of 0..end address\n"
           "         as the hex window's Sum field shows it (printf \"%8x\").\n"
           "\n"
           "Options:\n"
           "  --in-format F     format of IN; by default taken from its extension (.bin otherwise)\n"
           "  --out-format F    format of OUT; by default taken from its extension (.bin otherwise)\n"
           "  --load-mode N     binary loads: 0 All, 1 Defualt, 2/3 1th/2th char of word16,\n"
           "                    4..7 1th..4th char of word32 (default 0)\n"
           "  --start HEX       binary loads: buffer start address (default 0)\n"
           "  --end HEX         end address of the saved or summed range; by default the\n"
           "                    end address the load sets\n"
           "  --fuses-per-row N, --fuse-rows N\n"
           "                    fuse map geometry of JEDEC files (default 32 and 64: GAL16V8;\n"
           "                    40/64 GAL20V8, 44/132 GAL22V10)\n"
           "\n"
           "Exit status: 0 done, 1 error (message on stderr), 2 done but the input had bad\n"
           "records or data beyond the buffer (warning on stderr).\n";
}

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
        if (a == "--help" || a == "-h") {
            o.command = "help";
            return r;
        }
        if (a.rfind("--", 0) != 0) {
            positional.push_back(a);
            continue;
        }
        if (i + 1 >= args.size()) return fail("option " + a + " needs a value");
        const std::string& v = args[++i];
        if (a == "--in-format" || a == "--out-format") {
            auto f = formatNamed(v);
            if (!f) return fail("unknown format '" + v + "' (bin, hex, jed or cds)");
            (a == "--in-format" ? o.inFormat : o.outFormat) = f;
        } else if (a == "--load-mode") {
            auto n = decimal(v);
            if (!n || *n < 0 || *n > 7) return fail("load mode must be 0 to 7, not '" + v + "'");
            o.loadMode = *n;
        } else if (a == "--start" || a == "--end") {
            auto n = TFileFormat::scanHex(v);
            if (!n) return fail("option " + a + " needs a hexadecimal address, not '" + v + "'");
            if (a == "--start")
                o.start = *n;
            else
                o.end = *n;
        } else if (a == "--fuses-per-row" || a == "--fuse-rows") {
            auto n = decimal(v);
            if (!n || *n < 1 || *n > 100000) return fail("option " + a + " needs a number from 1 to 100000");
            (a == "--fuses-per-row" ? o.fusesPerRow : o.fuseRows) = *n;
        } else {
            return fail("unknown option " + a);
        }
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
    } else {
        return fail("unknown command '" + o.command + "'");
    }
    return r;
}

} // namespace quarvin::cli
