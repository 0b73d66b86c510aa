// Feeds arbitrary bytes to the PIC16 dialog's .CON settings file and checks that
// the settings read are ones the dialog can show and come back the same after a
// write, with the user ID text the file's positions 5 to 8 hold.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ScratchFile.h"
#include "families/pic16c8x/Pic16Settings.h"

using namespace quarvin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteScratch("DATA.CON", data, size);
    const auto text = ReadPic16SettingsFile(path);
    if (!text || text->size() != size) std::abort();
    for (const Pic16Settings start : {Pic16Settings{}, Pic16Settings{true, false, true, 3}}) {
        const Pic16Settings s = ParsePic16Settings(*text, start);
        if (s.osc < 0 || s.osc > 3) std::abort();
        const std::string id = text->size() > 4 ? text->substr(4, 4) : std::string();
        const std::string written = FormatPic16Settings(s, id);
        if (written.size() != 8) std::abort();
        const Pic16Settings back = ParsePic16Settings(written, Pic16Settings{});
        if (back.sec != s.sec || back.wdt != s.wdt || back.pwrt != s.pwrt || back.osc != s.osc) std::abort();
        if (written.compare(4, id.size(), id) != 0) std::abort();
    }
    return 0;
}
