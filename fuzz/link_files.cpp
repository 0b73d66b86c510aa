// Feeds arbitrary bytes to the two small files of the link, the port file and
// fastlink.cfg, and checks that the port name read has no line end and comes
// back the same after a write, and that the read-ahead window is always one the
// link can use.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ScratchFile.h"
#include "link/FastLinkSettings.h"
#include "link/PortFile.h"
#include "link/commands/ReadAhead.h"

using namespace quarvin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string dir = fuzz::ScratchDir().string();

    fuzz::WriteScratch(PortFileName, data, size);
    const auto name = readPortFile(dir);
    if (name) {
        if (name->empty() || name->find_first_of(std::string("\n\0", 2)) != std::string::npos) std::abort();
        if (!writePortFile(dir, *name) || readPortFile(dir) != name) std::abort();
    }

    fuzz::WriteScratch(FastLinkFileName, data, size);
    const int window = LoadSerialReadAheadWindow(dir);
    if (window < 1 || window > MaxReadAheadWindow) std::abort();
    if (!SaveSerialReadAheadWindow(dir, window) || LoadSerialReadAheadWindow(dir) != window) std::abort();
    return 0;
}
