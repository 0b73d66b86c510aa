#pragma once
// Loading a data file into the buffer and saving a range of it, with the
// program's own readers and writers, as the format dialog would.
#include <cstdint>
#include <string>

#include "Options.h"
#include "buffer/MainBuffer.h"
#include "buffer/formats/Jedec.h"
#include "buffer/formats/SRecord.h"

namespace quarvin::cli {

struct Loaded {
    bool ok = false;          // opened and read to its end
    bool readFailed = false;  // opened, but a read error cut it short
    std::string refusal;      // opened, but refused whole (an ELF file the buffer cannot take)
    std::string notAFile;     // why the path is no data file (a directory, a pipe, too large)
    std::string failure() const {
        if (!refusal.empty()) return refusal;
        return readFailed ? "Can't read this file!" : "Can't open this file:";
    }
    std::string failureFor(const std::string& path) const { return notAFile.empty() ? failure() + " " + path : notAFile; }
    std::int32_t endAddress = -1;
    // Bad records, data dropped, an incomplete fuse map: the buffer does not hold
    // what the file should give, so device operations need --force.
    std::string warning;
    std::string note;    // what the file holds besides the loaded data (AVR EEPROM)
    formats::SrecListing srec; // an S-record file's header, start address and width, for its save
};

struct LoadRequest {
    std::string path;
    Format format = Format::Bin;
    int loadMode = 0;          // binary loads: item of "Load mode"
    std::int32_t start = 0;    // binary loads: buffer start
    formats::FuseGeometry geometry;
};

Loaded LoadDataFile(MainBuffer& buffer, const LoadRequest& request);
// Saves buffer 0..end; .CDS and ELF cannot be written. An S-record file takes
// the listing's header and start address.
bool SaveDataFile(const MainBuffer& buffer, const std::string& path, Format format, std::int32_t end,
                  const formats::FuseGeometry& geometry, const formats::SrecListing& srec = {});

// The load request of the file options (--in-format, --load-mode, --start, fuse geometry).
LoadRequest LoadRequestOf(const Options& o, const std::string& path);

} // namespace quarvin::cli
