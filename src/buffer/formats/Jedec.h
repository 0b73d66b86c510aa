#pragma once
// JEDEC fuse files: the reader that fills the fuse map in the main buffer (one
// byte "0"/"1" per fuse, fuse n at address n) and the writer of the map.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
    std::int64_t declaredFuses = -1; // the QF field; -1 when the file has none
    int fileChecksum = -1;           // the C field's value; -1 when it has no digits
    std::uint16_t checksum = 0;      // the fuse checksum of what was loaded, when the file states one
    int securityFuse = -1;           // the G field: 0 or 1; -1 when the file has none
    std::vector<std::string> notes;  // the text of each N field, as written
    // What makes a file incomplete, though the reader keeps what it could read:
    bool fuseDataSeen = false;       // an L field or an F default
    std::int64_t fusesUnset = 0;     // fuses below QF that no L field or F default set
    std::int64_t fusesBeyondCount = 0; // fuses listed at or beyond QF
    bool endSeen = false;            // the C field or the end of transmission (ETX)

    bool checksumMismatch() const { return fileChecksum >= 0 && fileChecksum != checksum; }
    std::string problemText() const;
    // Whether what was read is all the file should hold: a device operation on a
    // map from a file with problems needs the user's say-so.
    bool incomplete() const { return !problemText().empty(); }
};

// The JEDEC fuse checksum of fuses 0..count-1: groups of eight, the group's
// first fuse the least significant bit, the last group padded with 0, the bytes
// added modulo 65536. Only the lowest bit of each fuse byte counts.
std::uint16_t jedecChecksum(const std::uint8_t* fuses, std::int64_t count);
std::uint16_t jedecChecksum(const MainBuffer& buffer, std::int64_t count);

// Clears the map to "0", then stores the "0"/"1" characters of each "L" field (an
// "L" after "*", blanks and line breaks aside) up to the "*" that closes it. A
// "QF" field gives the fuse count, "F0"/"F1" the value of the fuses no "L" field
// lists, "G" the security fuse, "N" a note, and "C" the checksum that the load is
// compared with; reading ends there.
class JedecReader {
public:
    JedecReader(MainBuffer& buffer, const FuseGeometry& geometry);
    // Fuses go to fuses[0..size-1]; the first clearCount are cleared to "0" first.
    JedecReader(std::uint8_t* fuses, std::int64_t size, std::int64_t clearCount);
    // Returns false once the checksum field has been reached.
    bool feed(std::string_view piece);
    JedecLoadResult finish();

private:
    enum class State { Scan, FuseNumber, QLetter, FuseCountDigits, DefaultValue, SecurityValue, Note, ChecksumDigits, Done };
    void character(unsigned char c);
    void scan(unsigned char c);
    void applyDefault();

    std::uint8_t* fuses_;
    std::int64_t size_;
    std::int64_t mapFuses_;
    JedecLoadResult result_;
    State state_ = State::Scan;
    int mark_ = -1;         // last character above blank (signed), -1 for none
    bool fuseData_ = false;
    std::int64_t fuse_ = 0;
    std::int64_t fieldStart_ = 0; // first fuse of the current L field
    int digits_ = 0;
    int defaultFuse_ = -1;  // '0' or '1' from an F field
    std::vector<std::pair<std::int64_t, std::int64_t>> listed_; // fuses the L fields set: [first, end)
};

JedecLoadResult readJedec(MainBuffer& buffer, const FuseGeometry& geometry, std::string_view text);
JedecLoadResult readJedecFile(MainBuffer& buffer, const FuseGeometry& geometry, const std::string& path);

// The device line names the device by its fuses per row; other widths have none.
std::string jedecDeviceName(std::int32_t fusesPerRow);

// What a JEDEC file says besides its fuses.
struct JedecListing {
    std::string design;              // the design header, the text before the first "*"
    std::vector<std::string> notes;  // written as "N" fields
    int securityFuse = -1;           // written as "G0"/"G1"; -1 for no G field
    bool framed = false;             // STX before, ETX and the transmission checksum after
};

// The design text, the notes, the fuse count ("QF"), the security fuse, the
// default "F0", the fuses in one "L" field of lines of fusesPerLine (the lowest
// bit of each fuse byte as "0"/"1"), "*" after the last line and the fuse checksum
// "C%04X*"; framed, then a line break, ETX and the sum of every character from
// STX to ETX as four hex digits.
std::string jedecFuseText(const std::uint8_t* fuses, std::int64_t count, std::int32_t fusesPerLine,
                          const JedecListing& listing);

// The fuses a JEDEC file of this map holds: the standard count of the GAL with
// this geometry (32 x 64: 2194, 40 x 64: 2706, 44 x 132: 5892), which other
// programmers pick the device by; for other geometries the map's whole rows.
std::int64_t jedecFileFuses(const FuseGeometry& geometry);

// The fuse map as the PLD window saves it: the device line and "Morvek" as the
// design text, the map's first jedecFileFuses() fuses in lines of one row, no
// notes, no G field, not framed.
std::string jedecText(const MainBuffer& buffer, const FuseGeometry& geometry);
bool saveJedecFile(const MainBuffer& buffer, const FuseGeometry& geometry, const std::string& path);

} // namespace quarvin::formats
