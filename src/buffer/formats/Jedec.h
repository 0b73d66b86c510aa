#pragma once
// JEDEC fuse files: the reader that fills the fuse map in the main buffer (one
// byte "0"/"1" per fuse, fuse n at address n) and the writer of the map.
#include <cstdint>
#include <string>
#include <string_view>

#include "buffer/MainBuffer.h"

namespace quarvin::formats {

constexpr std::uint8_t kFuseClear = '0';
constexpr std::uint8_t kFuseSet = '1';

// The geometry of a fuse map as the PLD window keeps it.
struct FuseGeometry {
    std::int32_t fusesPerRow = 32;
    std::int32_t fuseRows = 64;
    // Fuses of the map: (fuse rows + 6) x fuses per row, never beyond the buffer.
    std::int64_t fuseCount() const;
};

struct JedecLoadResult {
    bool opened = false;
    bool readFailed = false;         // a read error ended the load; the fuses before it are stored
    std::int64_t fusesStored = 0;
    std::int64_t fusesOutside = 0;   // fuses numbered beyond the buffer, not stored
    std::int64_t highestFuse = -1;   // highest fuse number stored; -1 when none
    bool checksumFieldSeen = false;  // reading ended at "*C"

    std::string problemText() const;
};

// Clears the map to "0", then stores the "0"/"1" characters that follow an "L"
// field (an "L" after "*", blanks and line breaks aside) until "*C".
class JedecReader {
public:
    JedecReader(MainBuffer& buffer, const FuseGeometry& geometry);
    // Returns false once the checksum field has been reached.
    bool feed(std::string_view piece);
    JedecLoadResult finish();

private:
    enum class State { Scan, FuseNumber, Done };
    void character(unsigned char c);

    MainBuffer& buffer_;
    JedecLoadResult result_;
    State state_ = State::Scan;
    int mark_ = -1;         // last character above blank (signed), -1 for none
    bool fuseData_ = false;
    std::int64_t fuse_ = 0;
    int digits_ = 0;
};

JedecLoadResult readJedec(MainBuffer& buffer, const FuseGeometry& geometry, std::string_view text);
JedecLoadResult readJedecFile(MainBuffer& buffer, const FuseGeometry& geometry, const std::string& path);

// The device line names the device by its fuses per row; other widths have none.
std::string jedecDeviceName(std::int32_t fusesPerRow);

// The header, every row of the map with the lowest bit of each fuse byte as "0"/"1",
// "*" after the last row and the closing "C0BE6*" (no line break after it).
std::string jedecText(const MainBuffer& buffer, const FuseGeometry& geometry);
bool saveJedecFile(const MainBuffer& buffer, const FuseGeometry& geometry, const std::string& path);

} // namespace quarvin::formats
